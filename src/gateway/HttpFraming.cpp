#include "gateway/HttpFraming.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace {

bool IsTokenChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool IsToken(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsTokenChar);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view TrimSpace(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The head split into lines without their CR LF or LF; the empty last line is left out.
std::vector<std::string_view> HeadLines(std::string_view head) {
  std::vector<std::string_view> lines;
  while (!head.empty()) {
    const size_t end = head.find('\n');
    std::string_view line = head.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) break;
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    head.remove_prefix(end + 1);
  }
  return lines;
}

// METHOD SP TARGET SP HTTP/1.x, one space each.
bool IsRequestLine(std::string_view line) {
  const size_t first = line.find(' ');
  const size_t last = line.rfind(' ');
  if (first == std::string_view::npos || first == last) return false;
  const std::string_view target = line.substr(first + 1, last - first - 1);
  const std::string_view version = line.substr(last + 1);
  const bool targetOk = !target.empty() && std::none_of(target.begin(), target.end(), [](char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == 0x7f;
  });
  return IsToken(line.substr(0, first)) && targetOk && version.size() == 8 && version.starts_with("HTTP/1.") &&
         (version[7] == '0' || version[7] == '1');
}

}  // namespace

std::optional<FramingRefusal> HttpFraming::Refuse(int status, std::string error, std::string detail) {
  m_state = State::Refused;
  m_head.clear();
  m_refusal = FramingRefusal{status, std::move(error), std::move(detail)};
  return m_refusal;
}

std::optional<FramingRefusal> HttpFraming::Feed(std::string_view bytes) {
  while (!bytes.empty()) {
    switch (m_state) {
      case State::Refused:
        return m_refusal;
      case State::Idle:
        // Line ends between requests are allowed and belong to no request.
        if (bytes.front() == '\r' || bytes.front() == '\n') {
          bytes.remove_prefix(1);
          continue;
        }
        m_state = State::Head;
        [[fallthrough]];
      case State::Head: {
        // Only the bytes up to the end of the head are taken; a body may follow in the same read.
        const size_t before = m_head.size();
        m_head.append(bytes.substr(0, m_limits.headBytes + 1 - std::min(before, m_limits.headBytes)));
        size_t end = m_head.find("\n\r\n", before >= 2 ? before - 2 : 0);
        size_t endLength = 3;
        const size_t bare = m_head.find("\n\n", before >= 1 ? before - 1 : 0);
        if (bare != std::string::npos && (end == std::string::npos || bare < end)) {
          end = bare;
          endLength = 2;
        }
        if (end == std::string::npos) {
          if (m_head.size() > m_limits.headBytes)
            return Refuse(431, "header_too_large",
                          "the request line and headers exceed " + std::to_string(m_limits.headBytes) + " bytes");
          bytes.remove_prefix(m_head.size() - before);
          continue;
        }
        const size_t headSize = end + endLength;
        if (headSize > m_limits.headBytes)
          return Refuse(431, "header_too_large",
                        "the request line and headers exceed " + std::to_string(m_limits.headBytes) + " bytes");
        bytes.remove_prefix(headSize - before);
        m_head.resize(headSize);
        if (auto refusal = EndOfHead()) return refusal;
        continue;
      }
      case State::Body: {
        const uint64_t taken = std::min<uint64_t>(m_bodyLeft, bytes.size());
        m_bodyLeft -= taken;
        bytes.remove_prefix(static_cast<size_t>(taken));
        if (m_bodyLeft == 0) m_state = State::Idle;
        continue;
      }
    }
  }
  return m_state == State::Refused ? m_refusal : std::nullopt;
}

std::optional<FramingRefusal> HttpFraming::EndOfHead() {
  const std::vector<std::string_view> lines = HeadLines(m_head);
  if (lines.empty() || !IsRequestLine(lines.front()))
    return Refuse(400, "bad_request", "the request line is not METHOD TARGET HTTP/1.x");
  std::optional<uint64_t> length;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || !IsToken(line.substr(0, colon)))
      return Refuse(400, "bad_request", "header line " + std::to_string(i) + " is not NAME: VALUE");
    const std::string_view name = line.substr(0, colon);
    const std::string_view value = TrimSpace(line.substr(colon + 1));
    if (EqualsNoCase(name, "Transfer-Encoding"))
      return Refuse(411, "length_required", "send the body with a Content-Length, not a Transfer-Encoding");
    if (!EqualsNoCase(name, "Content-Length")) continue;
    uint64_t declared = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), declared);
    if (value.empty() || error != std::errc() || end != value.data() + value.size())
      return Refuse(400, "bad_request", "Content-Length is not a number of bytes");
    if (length && *length != declared) return Refuse(400, "bad_request", "the request has two Content-Length values");
    length = declared;
  }
  m_head.clear();
  const uint64_t body = length.value_or(0);
  if (body > m_limits.bodyBytes)
    return Refuse(413, "payload_too_large",
                  "the body is " + std::to_string(body) + " bytes; at most " + std::to_string(m_limits.bodyBytes) +
                      " are accepted");
  m_bodyLeft = body;
  m_state = body == 0 ? State::Idle : State::Body;
  return std::nullopt;
}
