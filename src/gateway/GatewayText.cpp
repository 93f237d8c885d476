#include "gateway/Gateway.h"

std::string_view MessageStateName(MessageState state) {
  switch (state) {
    case MessageState::kQueued:
      return "queued";
    case MessageState::kSending:
      return "sending";
    case MessageState::kSent:
      return "sent";
    case MessageState::kFailed:
      return "failed";
    case MessageState::kSuperseded:
      return "superseded";
    case MessageState::kExpired:
      return "expired";
  }
  return "queued";
}

bool IsFinalState(MessageState state) {
  return state != MessageState::kQueued && state != MessageState::kSending;
}

int GatewayError::HttpStatus() const {
  switch (kind) {
    case Kind::kBadRequest:
      return 400;
    case Kind::kNotFound:
      return 404;
    case Kind::kUnprocessable:
      return 422;
    case Kind::kUnavailable:
      return 503;
  }
  return 400;
}
