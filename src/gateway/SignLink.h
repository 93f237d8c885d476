#pragma once

#include <cstdint>
#include <string>

#include "gateway/GatewayConfig.h"

// How one send to one sign went.
struct SendOutcome {
  bool sent = false;
  std::string error;  // the link's own text ("Connect error : Connection refused", "Invalid Port", ...)
  int64_t durationMs = 0;
};

// Sends the command string to the sign on the program's send road: TCP to its address and
// port in pieces, or its serial port opened for this send with a pause before every caret.
// Blocks for at most the link's time-outs; runs on any thread (each call has its own socket
// or port object).
SendOutcome SendToSign(const SignConfig& sign, const std::string& command);
