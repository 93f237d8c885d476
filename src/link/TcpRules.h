#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Every marquee network card listens on this TCP port.
inline constexpr uint16_t kMarqueeTcpPort = 49999;
// The card takes a command string in pieces of at most this many bytes.
inline constexpr size_t kTcpPieceSize = 160;

// Splits text into consecutive pieces of kTcpPieceSize bytes, the last one shorter (400 bytes
// give 160, 160 and 80). Empty text gives no pieces. The pieces point into text.
std::vector<std::string_view> SplitIntoPieces(std::string_view text);

// The operator's text for a failed socket operation: "<operation> error : <systemText>"
// when the error code is not 0, "<operation> error" when it is 0.
std::string FormatSocketErrorText(const std::string& operation, int errorCode, const std::string& systemText);
