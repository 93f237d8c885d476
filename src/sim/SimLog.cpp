#include "sim/SimLog.h"

#include "common/Text.h"

namespace {

bool IsBareCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
         c == ':' || c == '/' || c == '+' || c == '-';
}

std::string_view AddressKindName(SimAddressKind kind) {
  switch (kind) {
    case SimAddressKind::kBroadcast:
      return "broadcast";
    case SimAddressKind::kGroup:
      return "group";
    case SimAddressKind::kUnit:
      return "unit";
    case SimAddressKind::kNone:
      break;
  }
  return "none";
}

std::string_view FlashChangeName(SimFlashChange change) {
  switch (change) {
    case SimFlashChange::kSaved:
      return "saved";
    case SimFlashChange::kCleared:
      return "cleared";
    case SimFlashChange::kShown:
      break;
  }
  return "shown";
}

std::string Flag(bool value) {
  return value ? "1" : "0";
}

}  // namespace

std::string LogValue(std::string_view value) {
  bool bare = !value.empty();
  for (char c : value) bare = bare && IsBareCharacter(c);
  if (bare) return std::string(value);
  std::string quoted = "\"";
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      quoted += Format("\\x%02X", byte);
    } else {
      quoted += c;
    }
  }
  quoted += '"';
  return quoted;
}

std::string FormatLogLine(SimTime at, std::string_view event, std::span<const SimField> fields) {
  const long long ms = at.count();
  std::string line = Format("%lld.%03lld ", ms / 1000, ms % 1000);
  line += event;
  for (const SimField& field : fields) {
    line += ' ';
    line += field.key;
    line += '=';
    line += LogValue(field.value);
  }
  line += '\n';
  return line;
}

std::vector<SimField> CodeFields(const SimCodeEvent& code) {
  std::vector<SimField> fields = {{"status", std::string(StatusName(code.status))}, {"raw", std::string(code.raw)}};
  if (!code.meaning.empty()) fields.push_back({"meaning", std::string(code.meaning)});
  fields.insert(fields.end(), code.fields.begin(), code.fields.end());
  return fields;
}

std::vector<SimField> MessageFields(const SimMessage& message) {
  const MessageCodes& codes = message.codes;
  return {
      {"status", message.accepted ? "accepted" : "ignored"},
      {"to", std::string(AddressKindName(message.addressKind))},
      {"group", std::to_string(message.group)},
      {"unit", std::to_string(message.unit)},
      {"reset", std::to_string(codes.resetMode)},
      {"linesize", message.lineSize < 0 ? "none" : std::to_string(message.lineSize)},
      {"position", std::to_string(codes.position)},
      {"line", std::to_string(codes.line)},
      {"column", std::to_string(codes.column)},
      {"clearline", Flag(codes.clearLine)},
      {"effect", std::to_string(codes.effect)},
      {"blinkoff", Flag(message.blinkOffAtEnd)},
      {"flash", std::to_string(codes.flashMode)},
      {"cut", Flag(message.textCut)},
      {"text", message.text},
  };
}

std::vector<SimField> FlashFields(SimFlashChange change, std::string_view stored) {
  return {{"status", std::string(FlashChangeName(change))}, {"body", std::string(stored)}};
}

void SimLogWriter::Write(SimTime at, std::string_view event, std::span<const SimField> fields) {
  m_sink(FormatLogLine(at, event, fields));
}

void SimLogWriter::OnCode(SimTime at, const SimCodeEvent& code) {
  Write(at, code.isText ? "text" : "code", CodeFields(code));
}

void SimLogWriter::OnMessage(SimTime at, const SimMessage& message) {
  if (message.droppedTextBytes > 0)
    Write(at, "dropped", std::vector<SimField>{{"bytes", std::to_string(message.droppedTextBytes)}});
  Write(at, "message", MessageFields(message));
}

void SimLogWriter::OnFlash(SimTime at, SimFlashChange change, std::string_view stored) {
  Write(at, "flash", FlashFields(change, stored));
}

void SimLogWriter::OnCard(SimTime at, const SimCard& card) {
  Write(at, "card", CardReport(card));
}
