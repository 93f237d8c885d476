// The JSON form of a message over arbitrary bytes: no crash, no exception, no hang; what
// is accepted writes back to JSON that reads as the same message, and its command string
// decodes to a message that builds the same string.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "message/CommandDecoder.h"
#include "message/MessageJson.h"

static void Require(bool condition) {
  if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MessageJsonResult parsed = ParseMessageJson(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!parsed.status.ok()) {
    Require(!parsed.status.message().empty());
    return 0;
  }
  for (JsonTextForm form : {JsonTextForm::Text, JsonTextForm::Lines}) {
    MessageJsonResult again = ParseMessageJson(MessageToJson(parsed.message, form));
    Require(again.status.ok());
    if (form == JsonTextForm::Text) Require(again.message == parsed.message);
  }
  const std::string built = BuildCommandString(parsed.message);
  Require(BuildCommandString(DecodeCommandString(built).message) == built);
  return 0;
}
