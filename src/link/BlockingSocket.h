#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "link/SocketOs.h"

// A failed socket operation: its name ("Create", "Connect", "Send", "Send timeout", "Close")
// and the system error code behind it (0 when the system reported none, as after a time-out).
class CBlockingSocketException : public std::exception {
 public:
  CBlockingSocketException(std::string operation, int errorCode)
      : m_operation(std::move(operation)), m_nError(errorCode) {}

  const std::string& Operation() const { return m_operation; }
  int ErrorCode() const { return m_nError; }
  // "<operation> error : <system message>", or "<operation> error" when the code is 0.
  std::string GetErrorText() const;
  const char* what() const noexcept override { return m_operation.c_str(); }

 private:
  std::string m_operation;
  int m_nError;
};

// A client stream socket whose operations wait a bounded time and throw
// CBlockingSocketException when they fail. Holds at most one socket, which the destructor
// releases, so no path leaks it.
class CBlockingSocket {
 public:
  static constexpr std::chrono::seconds kConnectTimeout{5};

  CBlockingSocket() = default;
  ~CBlockingSocket() { Discard(); }
  CBlockingSocket(const CBlockingSocket&) = delete;
  CBlockingSocket& operator=(const CBlockingSocket&) = delete;

  // Creates an IPv4 stream socket, releasing any socket held before. Throws "Create".
  void Create();
  // Connects to dottedAddress:port, waiting at most kConnectTimeout. Throws "Connect" on
  // refusal, time-out or an address that is not dotted IPv4 text.
  void Connect(const std::string& dottedAddress, uint16_t port);
  // Waits at most timeout for room to write, then sends once. Returns the bytes accepted,
  // which may be fewer than length. Throws "Send timeout" when no room came, "Send" when the
  // send fails (the peer reset or closed the connection).
  size_t Send(const char* data, size_t length, std::chrono::seconds timeout);
  // Sends until all length bytes were accepted; each wait for room takes at most timeout.
  size_t SendAll(const char* data, size_t length, std::chrono::seconds timeout);
  // Releases the socket; throws "Close" when the system reports a failure (the socket is
  // released all the same). Does nothing when no socket is held.
  void Close();
  // Releases the socket without checking the result. Never throws.
  void Discard() noexcept;

 private:
  SocketHandle m_hSocket = kNoSocket;
};
