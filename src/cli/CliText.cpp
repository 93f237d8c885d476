#include "cli/CliText.h"

#include <ostream>

#include "cli/CliOptions.h"
#include "common/Text.h"

bool ArgumentBytes(std::string_view utf8, std::string_view what, Unmappable mode, std::string& bytes,
                   std::string& error) {
  CodePageText converted = Utf8ToCodePage(utf8, mode);
  if (!converted.status.ok()) {
    error = std::string(what) + ": " + converted.status.message();
    if (!converted.unmappable.empty()) error += " (--replace turns them into \"?\")";
    return false;
  }
  bytes = std::move(converted.bytes);
  return true;
}

std::string EscapedField(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char byte : bytes) {
    const auto code = static_cast<unsigned char>(byte);
    const char32_t character = CodePointOfByte(code);
    if (byte == '\t') {
      out += "\\t";
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (byte == '\\') {
      out += "\\\\";
    } else if (character < 0x20 || (character >= 0x7F && character <= 0x9F)) {
      out += Format("\\x%02X", static_cast<unsigned>(code));
    } else {
      out += CodePageToUtf8(std::string_view(&byte, 1));
    }
  }
  return out;
}

Unmappable ReplaceMode(const CliOptions& options) {
  return options.Flag("--replace") ? Unmappable::Replace : Unmappable::Refuse;
}

void PrintJson(std::ostream& out, const nlohmann::json& value) {
  out << value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}
