#pragma once

#include <QTcpServer>
#include <functional>
#include <string>
#include <string_view>

#include "common/Status.h"

// The marquee's network card: accepts any number of connections on one address and port
// and hands every byte received to one stream, whichever connection brought it.
class TcpInput {
 public:
  using BytesHandler = std::function<void(std::string_view bytes)>;
  // A connection came or went; peer is "address:port".
  using PeerHandler = std::function<void(bool connected, const std::string& peer)>;

  TcpInput(BytesHandler onBytes, PeerHandler onPeer);

  // Starts listening; OsFailure with the system's reason when the address cannot be bound.
  Status Listen(const std::string& address, uint16_t port);

 private:
  void Accept();

  BytesHandler m_onBytes;
  PeerHandler m_onPeer;
  QTcpServer m_server;
};
