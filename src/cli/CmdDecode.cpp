// marquee decode: a whole command string taken apart, each piece with its meaning.

#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "message/CommandDecoder.h"
#include "message/MessageJson.h"

namespace {

constexpr const char* kUsage = "decode [--json] [--replace] STRING  take a command string apart";
constexpr const char* kHelp =
    "Prints each piece of STRING (address, header, text with its inline codes, tail) on one line:\n"
    "its kind, a tab, the piece, a tab, its meaning. With --json: {\"message\": {...}, \"pieces\": [...]},\n"
    "which `marquee encode --from-json` takes back to build the same string.\n"
    "  --json           print JSON\n"
    "  --replace        characters without a Windows-1252 byte become \"?\" instead of an error\n";

constexpr const char* kKindNames[] = {"address", "header", "text", "tail"};

int RunDecode(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options({}, {"--json", "--replace"});
  std::string error;
  std::string bytes;
  if (!options.Parse(args, error) || (options.Positional().size() != 1 && (error = "give exactly one STRING", true))) {
    err << "marquee decode: " << error << "\nusage: marquee " << kUsage << "\n";
    return kExitUsage;
  }
  if (!ArgumentBytes(options.Positional()[0], "STRING", ReplaceMode(options), bytes, error)) {
    err << "marquee decode: " << error << "\n";
    return kExitFailure;
  }
  const DecodedCommand decoded = DecodeCommandString(bytes);
  if (options.Flag("--json")) {
    nlohmann::json pieces = nlohmann::json::array();
    for (const CommandPiece& piece : decoded.pieces)
      pieces.push_back(
          {{"kind", kKindNames[piece.kind]}, {"code", CodePageToUtf8(piece.code)}, {"meaning", piece.meaning}});
    out << nlohmann::json({{"message", MessageToJsonValue(decoded.message)}, {"pieces", pieces}})
               .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
        << "\n";
    return kExitOk;
  }
  for (const CommandPiece& piece : decoded.pieces)
    out << kKindNames[piece.kind] << '\t' << EscapedField(piece.code) << '\t' << piece.meaning << '\n';
  return kExitOk;
}

}  // namespace

constinit const CliCommand kDecodeCommand{"decode", kUsage, RunDecode, kHelp};
