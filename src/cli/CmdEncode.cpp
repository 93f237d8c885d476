#include "cli/CmdEncode.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <ostream>

#include "cli/CliCommand.h"
#include "cli/CliText.h"
#include "common/CodePage.h"
#include "message/AttributeNames.h"
#include "message/MessageJson.h"

namespace {

constexpr const char* kUsage =
    "encode [message options] TEXT | encode --from-json FILE|-  [--json]  build a command string";

struct AttributeOption {
  const char* option;
  Attribute attribute;
  int CMsgSettings::*field;
};
constexpr AttributeOption kAttributeOptions[] = {
    {"--address", Attribute::Address, &CMsgSettings::m_nAddressMode},
    {"--reset", Attribute::Reset, &CMsgSettings::m_nResetMode},
    {"--position", Attribute::Position, &CMsgSettings::m_nPosition},
    {"--effect", Attribute::Effect, &CMsgSettings::m_nEffect},
    {"--flash", Attribute::Flash, &CMsgSettings::m_nFlashMode},
};

// A value by name or by number, inside the enumeration.
bool ReadAttribute(const CliOptions& options, const AttributeOption& option, int& value, std::string& error) {
  auto text = options.Value(option.option);
  if (!text) return true;
  std::optional<int> named = AttributeValueOfName(option.attribute, *text);
  int number = 0;
  if (!named && ParseWholeInt(*text, number) && !AttributeValueName(option.attribute, number).empty()) named = number;
  if (!named) {
    error = std::string(option.option) + " must be one of " + AttributeValueList(option.attribute) + ", got '" + *text +
            "'";
    return false;
  }
  value = *named;
  return true;
}

bool ReadRanged(const CliOptions& options, const char* name, int low, int high, int& value, std::string& error) {
  if (!options.Int(name, value, error)) return false;
  if (value >= low && value <= high) return true;
  error = std::string(name) + " must lie in " + std::to_string(low) + " to " + std::to_string(high);
  return false;
}

bool ReadFile(const std::string& path, std::string& text, std::string& error) {
  constexpr size_t kLimit = 1 << 20;  // far beyond any message
  std::istream* in = &std::cin;
  std::ifstream file;
  if (path != "-") {
    file.open(path, std::ios::binary);
    if (!file) {
      error = path + ": cannot be read";
      return false;
    }
    in = &file;
  }
  text.assign(std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>());
  if (text.size() > kLimit) {
    error = path + ": larger than a message can be";
    return false;
  }
  return true;
}

// A message object, or what `decode --json` prints: {"message": ..., "pieces": [...]}.
bool ReadJsonMessage(const std::string& path, CommandMessage& message, std::string& error) {
  std::string text;
  if (!ReadFile(path, text, error)) return false;
  JsonDocument document = ParseJsonStrictly(text, 6);
  MessageJsonResult result{document.status, {}};
  if (document.status.ok()) {
    const nlohmann::json& value = document.value;
    bool decoded =
        value.is_object() && value.contains("message") && value.size() == (value.contains("pieces") ? 2u : 1u);
    result = MessageFromJson(decoded ? value["message"] : value);
  }
  if (!result.status.ok()) {
    error = (path == "-" ? std::string("standard input") : path) + ": " + result.status.message();
    return false;
  }
  message = std::move(result.message);
  return true;
}

int RunEncode(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options = MessageOptionParser({"--from-json"}, {"--json"});
  CommandMessage message;
  std::string error;
  int read = options.Parse(args, error) ? ReadCommandMessage(options, message, error) : kExitUsage;
  if (read != kExitOk) {
    err << "marquee encode: " << error << "\n";
    return read;
  }
  const std::string built = BuildCommandString(message);
  if (options.Flag("--json"))
    out << nlohmann::json({{"string", CodePageToUtf8(built)}, {"message", MessageToJsonValue(message)}}).dump() << "\n";
  else
    out << CodePageToUtf8(built) << "\n";
  return kExitOk;
}

}  // namespace

constinit const CliCommand kEncodeCommand{"encode", kUsage, RunEncode,
                                          "  --json           print {\"string\": ..., \"message\": {...}}\n", true};

const char* const kMessageOptionsHelp =
    "message options (a value by name or by number):\n"
    "  --address NAME   broadcast 0, group 1, unit 2, default 3 (default broadcast)\n"
    "  --group N        with --address group or unit\n"
    "  --unit N         with --address unit\n"
    "  --reset NAME     nothing 0, clear-home 1, clear-home-reset 2, clear-keep-cursor 3, clear-line 4\n"
    "  --position NAME  center 0, default 1, starting-at 2 (default center)\n"
    "  --line N, --column N, --clear-line   with --position starting-at (default line 1, column 1)\n"
    "  --effect NAME    default 0, blink 1, blink-off 2, scroll-repeatedly 3, scroll-once 4\n"
    "  --blink-off-at-end\n"
    "  --flash NAME     nothing 0, clear 1, save 2\n"
    "  --replace        characters without a Windows-1252 byte become \"?\" instead of an error\n"
    "  --from-json FILE the whole message as JSON (\"-\" reads standard input) instead of options and TEXT\n"
    "  --               ends the options (for a TEXT that begins with \"--\")\n"
    "TEXT holds inline codes: ^K0 to ^K3 size 1 to 4, ^dC1 red, ^dC2 green, ^dC3 yellow, ^X1/^X0 blinking\n"
    "on/off, ^N a new line.\n";

CliOptions MessageOptionParser(std::initializer_list<std::string_view> moreValues,
                               std::initializer_list<std::string_view> moreFlags) {
  std::vector<std::string> values = {"--address", "--group",  "--unit",   "--reset", "--position",
                                     "--line",    "--column", "--effect", "--flash"};
  std::vector<std::string> flags = {"--clear-line", "--blink-off-at-end", "--replace"};
  values.insert(values.end(), moreValues.begin(), moreValues.end());
  flags.insert(flags.end(), moreFlags.begin(), moreFlags.end());
  return CliOptions(std::move(values), std::move(flags));
}

bool ReadMessageOptions(const CliOptions& options, MessageOptions& message, std::string& error,
                        const MessageRanges& ranges) {
  CMsgSettings& settings = message.settings;
  settings.m_bClearLine = options.Flag("--clear-line");
  settings.m_bBlinkOffAtEnd = options.Flag("--blink-off-at-end");
  for (const AttributeOption& option : kAttributeOptions)
    if (!ReadAttribute(options, option, settings.*option.field, error)) return false;
  if (!ReadRanged(options, "--group", 0, ranges.groupMax, message.group, error) ||
      !ReadRanged(options, "--unit", 0, ranges.unitMax, message.unit, error) ||
      !ReadRanged(options, "--line", ranges.lineMin, ranges.lineMax, settings.m_nLine, error) ||
      !ReadRanged(options, "--column", ranges.columnMin, ranges.columnMax, settings.m_nColumn, error))
    return false;
  // Options the chosen modes would silently drop.
  const int address = settings.m_nAddressMode;
  if (options.Has("--group") && address != kAddressSpecificGroup && address != kAddressSpecificUnit)
    error = "--group applies to --address group or unit only";
  else if (options.Has("--unit") && address != kAddressSpecificUnit)
    error = "--unit applies to --address unit only";
  else if (settings.m_nPosition != kPositionStartingAt &&
           (options.Has("--line") || options.Has("--column") || options.Has("--clear-line")))
    error = "--line, --column and --clear-line apply to --position starting-at only";
  return error.empty();
}

int ReadCommandMessage(const CliOptions& options, CommandMessage& message, std::string& error) {
  if (auto path = options.Value("--from-json")) {
    for (const char* option : {"--address", "--group", "--unit", "--reset", "--position", "--line", "--column",
                               "--effect", "--flash", "--clear-line", "--blink-off-at-end", "--replace"})
      if (options.Has(option)) {
        error = std::string("--from-json takes the whole message; leave out ") + option;
        return kExitUsage;
      }
    if (!options.Positional().empty()) {
      error = "--from-json takes the whole message; leave out TEXT";
      return kExitUsage;
    }
    return ReadJsonMessage(*path, message, error) ? kExitOk : kExitFailure;
  }
  MessageOptions read;
  if (!ReadMessageOptions(options, read, error, kCommandStringRanges)) return kExitUsage;
  if (options.Positional().size() != 1) {
    error = "give exactly one TEXT (or --from-json FILE)";
    return kExitUsage;
  }
  std::string text;
  if (!ArgumentBytes(options.Positional()[0], "TEXT", ReplaceMode(options), text, error)) return kExitFailure;
  const CMsgSettings& settings = read.settings;
  message.addressMode = settings.m_nAddressMode;
  message.group = read.group;
  message.unit = read.unit;
  message.codes = settings.Codes();
  message.blinkOffAtEnd = settings.m_bBlinkOffAtEnd;
  message.text = std::move(text);
  return kExitOk;
}
