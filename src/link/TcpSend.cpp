#include "link/TcpSend.h"

#include "link/BlockingSocket.h"
#include "link/TcpRules.h"

LinkResult SendToAddress(const std::string& dottedAddress, const std::string& text, uint16_t port) {
  constexpr std::chrono::seconds kSendTimeout{1};
  CBlockingSocket socket;
  try {
    socket.Create();
    socket.Connect(dottedAddress, port);
    for (std::string_view piece : SplitIntoPieces(text)) socket.SendAll(piece.data(), piece.size(), kSendTimeout);
    socket.Close();
    return {};
  } catch (const CBlockingSocketException& e) {
    socket.Discard();
    const int code = e.ErrorCode();
    const bool timedOut = (e.Operation() == "Send timeout" && code == 0) ||
                          (e.Operation() == "Connect" && code == ConnectTimedOutError());
    return LinkResult::Socket(e.Operation(), code, code ? SocketErrorMessage(code) : std::string(), timedOut);
  }
}

LinkResult SendToGroup(const std::string& command, const CIPGroup& sendTarget) {
  for (const CIPData& member : sendTarget.m_Members) {
    LinkResult result = SendToAddress(FormatIPAddress(member.m_Address), command, kMarqueeTcpPort);
    if (!result.ok()) return result;
  }
  return {};
}
