#include "link/TcpSend.h"

#include "common/Prompter.h"
#include "link/BlockingSocket.h"
#include "link/LinkResult.h"
#include "link/TcpRules.h"

int SendToAddress(const std::string& dottedAddress, const std::string& text, uint16_t port, IPrompter& prompter) {
  constexpr std::chrono::seconds kSendTimeout{1};
  CBlockingSocket socket;
  try {
    socket.Create();
    socket.Connect(dottedAddress, port);
    for (std::string_view piece : SplitIntoPieces(text)) socket.SendAll(piece.data(), piece.size(), kSendTimeout);
    socket.Close();
    return kLinkOk;
  } catch (const CBlockingSocketException& e) {
    prompter.Error(e.GetErrorText());
    socket.Discard();
    return kLinkSendError;
  }
}

bool SendToGroup(const std::string& command, const CIPGroup& sendTarget, IPrompter& prompter) {
  for (const CIPData& member : sendTarget.m_Members)
    if (SendToAddress(FormatIPAddress(member.m_Address), command, kMarqueeTcpPort, prompter) != kLinkOk) return false;
  return true;
}
