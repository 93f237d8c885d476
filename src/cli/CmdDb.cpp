#include <ostream>

#include "cli/CliCommand.h"
#include "cli/CliText.h"
#include "cli/CmdEncode.h"
#include "common/Text.h"
#include "message/CurrentMessage.h"
#include "message/MessageDatabaseFile.h"
#include "message/MessageJson.h"

namespace {

constexpr const char* kUsage =
    "db list [--json] FILE | db lines [--json] FILE | db add FILE [message options] TEXT  a message database file";

int Usage(std::ostream& err) {
  err << "usage: marquee " << kUsage << "\n";
  return kExitUsage;
}

int Fail(std::ostream& err, const std::string& message) {
  err << "marquee db: " << message << "\n";
  return kExitFailure;
}

void PrintSummary(std::ostream& out, const CMsgObjDBList& m) {
  out << EscapedField(m.GetSummaryText()) << '\t' << CMsgObjDBList::GetAddressModeName(m.m_nAddressMode) << '\t'
      << m.m_nGroup << '\t' << m.m_nUnit << '\t' << CMsgObjDBList::GetPositionName(m.m_nPosition) << '\t' << m.m_nLine
      << '\t' << m.m_nColumn << '\t' << CMsgObjDBList::GetResetModeName(m.m_nResetMode) << '\t'
      << CMsgObjDBList::GetEffectName(m.m_nEffect) << '\t' << CMsgObjDBList::GetFlashModeName(m.m_nFlashMode) << '\n';
}

void PrintStoredLine(std::ostream& out, const CMsgObjDBList& m) {
  out << m.m_nGroup << '\t' << m.m_nUnit << '\t' << EscapedField(m.EncodeLine(0)) << '\n';
}

// A record as the JSON form of a message (what `encode --from-json` takes back), with the
// list's summary text.
nlohmann::json SummaryJson(const CMsgObjDBList& m) {
  CommandMessage message;
  message.addressMode = m.m_nAddressMode;
  message.group = m.m_nGroup;
  message.unit = m.m_nUnit;
  message.codes = m.Codes();
  message.text = m.m_strText[0];
  return {{"summary", CodePageToUtf8(m.GetSummaryText())}, {"message", MessageToJsonValue(message)}};
}

nlohmann::json StoredLineJson(const CMsgObjDBList& m) {
  return {{"group", m.m_nGroup}, {"unit", m.m_nUnit}, {"line", CodePageToUtf8(m.EncodeLine(0))}};
}

// Prints one line per message (or one JSON array of them), as far as the file is whole;
// then its damage, if any.
int PrintMessages(const std::string& action, std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options({}, {"--json"});
  std::string error;
  if (!options.Parse(args, error) || options.Positional().size() != 1) return Usage(err);
  const std::string& path = options.Positional()[0];
  const bool summary = action == "list";
  CMsgList messages;
  DatabaseLoadResult result = LoadMessageDatabase(path, messages);
  if (result.outcome == DataFileLoadOutcome::Missing) return Fail(err, path + ": no such file");
  if (options.Flag("--json")) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& record : messages) list.push_back(summary ? SummaryJson(*record) : StoredLineJson(*record));
    PrintJson(out, list);
  } else {
    for (const auto& record : messages) (summary ? PrintSummary : PrintStoredLine)(out, *record);
  }
  if (!result.note.empty()) err << "marquee db: note: " << result.note << "\n";
  return result.status.ok() ? kExitOk : Fail(err, result.status.message());
}

int AddMessage(const std::string& path, const MessageOptions& message, const std::string& text, std::ostream& err) {
  // Held from reading to writing back, so a message another writer adds meanwhile stays.
  DataFileLock lock;
  if (Status locked = lock.Acquire(path); !locked.ok())
    return Fail(err, locked.message() + " (the file is left unchanged)");
  CMsgList messages;
  DatabaseLoadResult result = LoadMessageDatabase(path, messages);
  if (result.outcome == DataFileLoadOutcome::Damaged || result.outcome == DataFileLoadOutcome::Unreadable)
    return Fail(err, result.status.message() + " (the file is left unchanged)");
  messages.push_back(std::make_unique<CMsgObjDBList>(
      MakeRecordFromCurrentMessage(message.settings, message.group, message.unit, text)));
  Status saved = SaveMessageDatabase(path, messages, &lock);
  return saved.ok() ? kExitOk : Fail(err, saved.message());
}

int RunDb(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return Usage(err);
  const std::string& action = args[0];
  if (action == "list" || action == "lines") return PrintMessages(action, args.subspan(1), out, err);
  if (action != "add") return Usage(err);
  CliOptions options = MessageOptionParser();
  MessageOptions message;
  std::string error;
  if (options.Parse(args.subspan(1), error) && options.Flag("--blink-off-at-end"))
    error = "--blink-off-at-end is not stored in the database";
  if (!error.empty() || !ReadMessageOptions(options, message, error, kDatabaseRanges)) {
    err << "marquee db add: " << error << "\n";
    return kExitUsage;
  }
  if (options.Positional().size() != 2) return Usage(err);
  std::string text;
  if (!ArgumentBytes(options.Positional()[1], "TEXT", ReplaceMode(options), text, error)) return Fail(err, error);
  return AddMessage(options.Positional()[0], message, text, err);
}

}  // namespace

constinit const CliCommand kDbCommand{
    "db", kUsage, RunDb,
    "  --json           db list: [{\"summary\": ..., \"message\": {...}}, ...], the message as encode --from-json\n"
    "                   takes it; db lines: [{\"group\": ..., \"unit\": ..., \"line\": ...}, ...]\n"
    "  db add refuses --blink-off-at-end (not stored); group 0-15, unit 0-4095, line 1-8, column 1-40.\n",
    true};
