// The blocking socket over the system's own stream sockets (Winsock in the Windows build, BSD
// sockets elsewhere) against a listener on 127.0.0.1 port 49999; nothing listens on 127.0.0.2.

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#endif
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "link/BlockingSocket.h"
#include "link/TcpRules.h"

namespace {

#ifdef _WIN32
constexpr int kRefused = WSAECONNREFUSED;
constexpr int kInvalidArgument = WSAEINVAL;
using IoLength = int;
#else
constexpr int kRefused = ECONNREFUSED;
constexpr int kInvalidArgument = EINVAL;
using IoLength = size_t;
#endif

// Listens on 127.0.0.1:49999; Serve accepts one connection on a thread and reads it to its end.
class Listener {
 public:
  explicit Listener(int receiveBuffer = 0) {
    EXPECT_TRUE(InitSocketLayer());
    m_socket = static_cast<SocketHandle>(::socket(AF_INET, SOCK_STREAM, 0));
#ifndef _WIN32
    int one = 1;  // a previous test's connection may still linger on the port
    ::setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
#endif
    if (receiveBuffer)
      ::setsockopt(m_socket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&receiveBuffer),
                   sizeof receiveBuffer);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kMarqueeTcpPort);
    ::inet_pton(AF_INET, "127.0.0.1", &local.sin_addr);
    m_ok = ::bind(m_socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0 && ::listen(m_socket, 1) == 0;
  }
  ~Listener() {
    if (m_thread.joinable()) m_thread.join();
    CloseSocket(m_socket);
  }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  bool ok() const {
    return m_ok;
  }
  void Serve() {
    m_thread = std::thread([this] {
      const auto connection = static_cast<SocketHandle>(::accept(m_socket, nullptr, nullptr));
      if (connection == kNoSocket) return;
      char buffer[65536];
      for (auto n = ::recv(connection, buffer, static_cast<IoLength>(sizeof buffer), 0); n > 0;
           n = ::recv(connection, buffer, static_cast<IoLength>(sizeof buffer), 0))
        m_received.append(buffer, static_cast<size_t>(n));
      CloseSocket(connection);
    });
  }
  const std::string& Received() {
    if (m_thread.joinable()) m_thread.join();
    return m_received;
  }

 private:
  SocketHandle m_socket = kNoSocket;
  bool m_ok = false;
  std::thread m_thread;
  std::string m_received;
};

// The exception a connection attempt to address ends with.
CBlockingSocketException ConnectFailure(const char* address) {
  CBlockingSocket socket;
  socket.Create();
  try {
    socket.Connect(address, kMarqueeTcpPort);
  } catch (const CBlockingSocketException& e) {
    return e;
  }
  return {"none", 0};
}

}  // namespace

TEST(BlockingSocket, EveryByteArrivesInOrder) {
  Listener marquee;
  ASSERT_TRUE(marquee.ok());
  marquee.Serve();
  std::string data;
  for (size_t i = 0; i < 300'007; ++i) data += static_cast<char>(i * 7 % 256);
  CBlockingSocket socket;
  socket.Create();
  socket.Connect("127.0.0.1", kMarqueeTcpPort);
  EXPECT_EQ(socket.SendAll(data.data(), data.size(), std::chrono::seconds(5)), data.size());
  socket.Close();
  EXPECT_EQ(marquee.Received(), data);
}

TEST(BlockingSocket, ConnectFailuresCarryTheSystemCodeAndText) {
  ASSERT_TRUE(InitSocketLayer());
  struct Case {
    const char* address;
    int code;
  };
  for (const Case& c :
       {Case{"127.0.0.2", kRefused}, Case{"127.0.0.300", kInvalidArgument}, Case{"marquee", kInvalidArgument}}) {
    const CBlockingSocketException e = ConnectFailure(c.address);
    EXPECT_EQ(e.Operation(), "Connect") << c.address;
    EXPECT_EQ(e.ErrorCode(), c.code) << c.address;
    EXPECT_EQ(e.GetErrorText(), "Connect error : " + SocketErrorMessage(c.code)) << c.address;
    EXPECT_FALSE(SocketErrorMessage(c.code).empty()) << c.address;
  }
}

TEST(BlockingSocket, PeerThatNeverReadsEndsWithSendTimeout) {
  Listener marquee(4096);  // accepts nothing, reads nothing
  ASSERT_TRUE(marquee.ok());
  CBlockingSocket socket;
  socket.Create();
  socket.Connect("127.0.0.1", kMarqueeTcpPort);
  const std::string data(16 << 20, 'x');
  try {
    socket.SendAll(data.data(), data.size(), std::chrono::seconds(1));
    ADD_FAILURE() << "all of 16 MiB sent to a peer that never reads";
  } catch (const CBlockingSocketException& e) {
    EXPECT_EQ(e.GetErrorText(), "Send timeout error");
  }
}
