#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Limits on what one request may make the server hold in memory.
struct FramingLimits {
  size_t headBytes = 16 * 1024;  // request line and headers, with their line ends
  size_t bodyBytes = 64 * 1024;  // the declared Content-Length
};

// Why a request is refused before it is read to the end: the HTTP status and the JSON
// error's "error" and "detail" texts.
struct FramingRefusal {
  int status;
  std::string error;
  std::string detail;
};

// Follows the bytes of one HTTP/1.1 connection, request after request, and refuses a
// request as soon as its head shows it would exceed the limits or cannot be framed safely:
// a head over the limit (431), a malformed request line or header line (400), conflicting
// or malformed Content-Length (400), any Transfer-Encoding (411: only bodies of declared
// length are read, so their size is known before they arrive), a body over the limit (413).
// It only frames; the HTTP server still parses every request it lets through.
class HttpFraming {
 public:
  explicit HttpFraming(FramingLimits limits) : m_limits(limits) {}

  // The next bytes received, in order. Returns the refusal of the request they complete
  // or overflow; once refused, the connection carries nothing more and further feeds
  // return the same refusal.
  std::optional<FramingRefusal> Feed(std::string_view bytes);

  // True from the first byte of a request to its last.
  bool InRequest() const { return m_state != State::Idle; }

 private:
  enum class State { Idle, Head, Body, Refused };

  std::optional<FramingRefusal> EndOfHead();
  std::optional<FramingRefusal> Refuse(int status, std::string error, std::string detail);

  FramingLimits m_limits;
  State m_state = State::Idle;
  std::string m_head;
  uint64_t m_bodyLeft = 0;
  std::optional<FramingRefusal> m_refusal;
};
