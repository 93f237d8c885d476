#include "link/TcpRules.h"

#include "common/Text.h"

std::vector<std::string_view> SplitIntoPieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  for (size_t at = 0; at < text.size(); at += kTcpPieceSize) pieces.push_back(text.substr(at, kTcpPieceSize));
  return pieces;
}

std::string FormatSocketErrorText(const std::string& operation, int errorCode, const std::string& systemText) {
  if (errorCode == 0) return Format("%s error", operation.c_str());
  return Format("%s error : %s", operation.c_str(), systemText.c_str());
}
