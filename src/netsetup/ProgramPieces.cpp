#include "netsetup/ProgramPieces.h"

namespace {

// The parts of an Ethernet programming string, in sending order.
constexpr bool CLadDeviceNetwork::*kEthernetParts[] = {
    &CLadDeviceNetwork::m_bSendAddress,
    &CLadDeviceNetwork::m_bSendUnit,
    &CLadDeviceNetwork::m_bSendByteOrder,
};

}  // namespace

std::chrono::milliseconds PiecePause(int intervalMs) {
  return std::chrono::milliseconds(intervalMs > 0 ? intervalMs - 1 : 0);
}

bool SendProgramInPieces(const CLadDeviceNetwork& set, std::chrono::milliseconds pause, int group, int unit,
                         const CommandSender& send, const Sleeper& sleep) {
  const bool pauses = pause > std::chrono::milliseconds::zero();
  CLadDeviceNetwork piece = set;
  bool anySent = false;
  for (bool CLadDeviceNetwork::*part : kEthernetParts) {
    if (!(set.*part)) continue;
    if (anySent && pauses) sleep(pause);
    for (bool CLadDeviceNetwork::*other : kEthernetParts) piece.*other = other == part;
    if (!send(piece.MakeProgramString(!anySent, group, unit))) return false;
    anySent = true;
  }
  if (pauses) sleep(pause);
  return true;
}
