#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

// The few places where stream sockets differ between operating systems; one file per system
// implements them (SocketOs_posix.cpp, SocketOs_win.cpp). Error codes are the system's own
// (errno values, or Winsock codes).

#ifdef _WIN32
using SocketHandle = uintptr_t;  // SOCKET
#else
using SocketHandle = int;
#endif
// Marks "no socket held" (0 and up are valid descriptors on POSIX).
inline constexpr SocketHandle kNoSocket = static_cast<SocketHandle>(-1);

// Prepares the socket layer once at program start; false when sockets cannot be used.
bool InitSocketLayer();

// The error code of the last failed socket call on this thread.
int LastSocketError();
// The system's message text for an error code.
std::string SocketErrorMessage(int code);
// The code that says a connection attempt got no answer in time.
int ConnectTimedOutError();

// A new IPv4 stream socket, not inherited by child programs; kNoSocket on failure.
SocketHandle CreateStreamSocket();
bool SetSocketBlocking(SocketHandle socket, bool blocking);

// Starts connecting to dottedAddress:port without waiting. Returns 0 when the connection is
// under way or made, else the error code (text that is not a dotted IPv4 address gives the
// system's "invalid argument" code). The outcome shows through WaitWritable and PendingSocketError.
int StartConnect(SocketHandle socket, const std::string& dottedAddress, uint16_t port);

enum class SocketWait { Ready, TimedOut, Failed };
// Waits until the socket can be written or has an error to report.
SocketWait WaitWritable(SocketHandle socket, std::chrono::milliseconds timeout);
// The error a connection attempt ended with; 0 when it succeeded.
int PendingSocketError(SocketHandle socket);

// Sends once without blocking and without raising a signal when the peer has gone. Returns
// the bytes accepted (0 when the socket buffer is full), or -1 with LastSocketError set.
long SendSome(SocketHandle socket, const char* data, size_t length);

// Releases the socket; 0 on success, -1 with LastSocketError set. The handle is gone either way.
int CloseSocket(SocketHandle socket);
