// marquee check: what would make the sign show something other than what was meant.

#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/CliCommand.h"
#include "cli/CmdEncode.h"
#include "message/MessageCheck.h"
#include "preview/MarqueeModels.h"

namespace {

constexpr const char* kUsage =
    "check [--model N] [--repeated] [--json] [message options] TEXT  find what the sign would not show as meant";
constexpr const char* kHelp =
    "Exits 0 when the message is clean, 1 with one line per finding: characters the model's fonts cannot\n"
    "draw, lines wider or taller than the model in their sizes, a flash save in a message sent repeatedly,\n"
    "caret codes in the text that reading back takes as attributes.\n"
    "  --model N        marquee model 0 to 13, as the composer's Preview list (default 0)\n"
    "  --repeated       the message is meant to be sent again and again\n"
    "  --json           print {\"clean\": ..., \"findings\": [{\"kind\": ..., \"detail\": ...}]}\n";

int RunCheck(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options = MessageOptionParser({"--model", "--from-json"}, {"--repeated", "--json"});
  CommandMessage message;
  CheckOptions check;
  std::string error;
  if (options.Parse(args, error) && options.Int("--model", check.model, error) &&
      (check.model < 0 || check.model >= kMarqueeModelCount))
    error = "--model must lie in 0 to 13";
  int read = error.empty() ? ReadCommandMessage(options, message, error) : kExitUsage;
  if (read != kExitOk) {
    err << "marquee check: " << error << "\n";
    return read;
  }
  check.sentRepeatedly = options.Flag("--repeated");
  return PrintFindings(CheckMessage(message, check), options.Flag("--json"), out);
}

}  // namespace

constinit const CliCommand kCheckCommand{"check", kUsage, RunCheck, kHelp, true};

int PrintFindings(const std::vector<CheckFinding>& findings, bool json, std::ostream& out) {
  if (json) {
    nlohmann::json list = nlohmann::json::array();
    for (const CheckFinding& finding : findings)
      list.push_back({{"kind", std::string(FindingKindName(finding.kind))}, {"detail", finding.detail}});
    out << nlohmann::json({{"clean", findings.empty()}, {"findings", list}})
               .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
        << "\n";
  } else {
    for (const CheckFinding& finding : findings) out << FindingKindName(finding.kind) << ": " << finding.detail << "\n";
  }
  return findings.empty() ? kExitOk : kExitFailure;
}
