// marquee book: lists an address book file and adds entries to it, with the checks of
// the add dialogs.

#include <ostream>

#include "addressbook/AddressBookFile.h"
#include "addressbook/EntryRules.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "common/Text.h"

namespace {

constexpr const char* kUsage =
    "book list [--json] FILE | book add [--replace] FILE NAME IP [IP ...]  show or extend an address book file";
constexpr const char* kHelp =
    "  --json           book list: [{\"name\": ..., \"addresses\": [\"a.b.c.d\", ...]}, ...]; one address is an\n"
    "                   IP entry, several a group\n"
    "  --replace        characters of NAME without a Windows-1252 byte become \"?\" instead of an error\n";

int Usage(std::ostream& err, const std::string& problem) {
  err << "marquee book: " << problem << "\nusage: marquee " << kUsage << "\n";
  return kExitUsage;
}

// One line per entry as the address book pane shows it: display text, a tab, the
// addresses; or one JSON array of the entries.
int List(const std::vector<std::string>& args, bool json, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) return Usage(err, "list takes one FILE");
  AddressBookLoad load = LoadAddressBook(args[0]);
  if (load.outcome == DataFileLoadOutcome::Missing) {
    err << "marquee book: " << args[0] << ": no such file\n";
    return kExitFailure;
  }
  if (json) {
    nlohmann::json list = nlohmann::json::array();
    for (const CIPGroup& entry : load.entries) {
      nlohmann::json addresses = nlohmann::json::array();
      for (const CIPData& member : entry.m_Members) addresses.push_back(FormatIPAddress(member.m_Address));
      list.push_back({{"name", CodePageToUtf8(entry.m_strName)}, {"addresses", addresses}});
    }
    PrintJson(out, list);
  } else {
    for (const CIPGroup& entry : load.entries)
      out << EscapedField(GetDisplayText(entry)) << '\t' << GetAddressListText(entry) << '\n';
  }
  if (!load.status.ok()) {
    err << "marquee book: " << load.status.message() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

// One address makes an IP entry, several a group (each address once, first appearance
// kept). A missing file starts a new address book; a damaged one is left untouched.
int Add(const std::vector<std::string>& args, Unmappable mode, std::ostream& err) {
  if (args.size() < 3) return Usage(err, "add needs FILE, NAME and at least one IP");
  const std::string& path = args[0];
  std::string name;
  std::string error;
  if (!ArgumentBytes(args[1], "NAME", mode, name, error)) {
    err << "marquee book: " << error << '\n';
    return kExitFailure;
  }
  std::vector<IPAddress> addresses;
  for (size_t i = 2; i < args.size(); ++i) {
    auto address = ParseDottedAddress(args[i]);
    if (!address) return Usage(err, "'" + args[i] + "' is not an IP address like 192.168.0.10");
    addresses.push_back(*address);
  }

  // Held from reading to writing back, so an entry another writer adds meanwhile stays.
  DataFileLock lock;
  if (Status locked = lock.Acquire(path); !locked.ok()) {
    err << "marquee book: " << locked.message() << "; the file is left unchanged\n";
    return kExitFailure;
  }
  AddressBookLoad load = LoadAddressBook(path);
  if (!load.status.ok()) {
    err << "marquee book: " << load.status.message() << "; the file is left unchanged\n";
    return kExitFailure;
  }
  std::vector<CIPGroup>& book = load.entries;

  std::optional<EntryProblem> problem;
  CIPGroup entry;
  if (addresses.size() == 1) {
    problem = CheckIPEntryInput(book, name, addresses[0], true);
    entry = BuildIPEntry(name, addresses[0]);
  } else {
    std::vector<CIPGroup> members;
    for (const IPAddress& address : addresses) {
      if (!problem) problem = CheckIPAddress(address);
      members.push_back(BuildIPEntry("", address));
    }
    if (!problem) problem = CheckIPGroupInput(book, name, members, true);
    entry = BuildIPGroup(name, members);
  }
  if (problem) {
    err << problem->message << '\n';
    return kExitFailure;
  }

  book.push_back(std::move(entry));
  if (Status saved = SaveAddressBook(path, book, &lock); !saved.ok()) {
    err << "marquee book: " << saved.message() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

int RunBook(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options({}, {"--json", "--replace"});
  std::string error;
  if (!options.Parse(args, error)) return Usage(err, error);
  std::vector<std::string> positional = options.Positional();
  if (positional.empty()) return Usage(err, "missing list or add");
  std::string action = positional[0];
  positional.erase(positional.begin());
  if (action == "list" && !options.Flag("--replace")) return List(positional, options.Flag("--json"), out, err);
  if (action == "add" && !options.Flag("--json")) return Add(positional, ReplaceMode(options), err);
  if (action == "list" || action == "add")
    return Usage(err, action == "list" ? "--replace applies to add only" : "--json applies to list only");
  return Usage(err, "unknown action '" + action + "'");
}

}  // namespace

constinit const CliCommand kBookCommand{"book", kUsage, RunBook, kHelp};
