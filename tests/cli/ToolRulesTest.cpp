// The command-line rules, each through a real run of the `marquee` program.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace {

struct ProcessRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs the program with args and input on standard input; outputs through files, so no
// pipe can fill up and block.
ProcessRun RunMarquee(const std::vector<std::string>& args, const std::string& input = "") {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("marquee-rules-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "in", std::ios::binary) << input;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, (dir / "in").c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, (dir / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, (dir / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<char*> argv = {const_cast<char*>(MARQUEE_PROGRAM)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  ProcessRun run;
  if (posix_spawn(&pid, MARQUEE_PROGRAM, &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = Slurp(dir / "out");
  run.err = Slurp(dir / "err");
  std::filesystem::remove_all(dir);
  return run;
}

TEST(ToolRules, EverySubcommandAnswersHelp) {
  for (const char* command : {"encode", "decode", "check", "db", "book", "net", "preview", "brand", "send", "ports"}) {
    ProcessRun run = RunMarquee({command, "--help"});
    EXPECT_EQ(run.exitCode, 0) << command;
    EXPECT_EQ(run.out.rfind(std::string("usage: marquee ") + command, 0), 0u) << command;
    EXPECT_NE(run.out.find("--  "), std::string::npos) << command;
  }
  EXPECT_NE(RunMarquee({"encode", "--help"}).out.find("scroll-once 4"), std::string::npos);
  EXPECT_NE(RunMarquee({"send", "--help"}).out.find("--mqtt HOST[:PORT] publish"), std::string::npos);
}

TEST(ToolRules, OutcomesOfOneRun) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    const char* out;       // exact, or nullptr
    const char* errHolds;  // in standard error, or nullptr
  };
  const Case cases[] = {
      // Names and numbers alike; "--" ends the options.
      {{"encode", "--effect", "scroll-once", "--reset", "1", "--", "--A"}, 0, "^A000000^E0^C1^D0--A^N\n", nullptr},
      {{"encode", "--address", "unit", "--group", "1", "--unit", "5", "^K0HI"}, 0, "^A010005^L0^C1^K0HI\n", nullptr},
      // Text is UTF-8 in and out, Windows-1252 on the sign; no silent "?".
      {{"encode", "--address", "default", "--position", "default", "5€"}, 0, "5€\n", nullptr},
      {{"encode", "Привет"}, 1, "", "\"П\" (U+041F) at position 1"},
      {{"encode", "--replace", "--address", "default", "--position", "default", "Ω"}, 0, "?\n", nullptr},
      {{"encode", "\xC0\x80"}, 1, "", "TEXT:"},
      // Ranges and options that would be dropped.
      {{"encode", "--address", "group", "--group", "100", "A"}, 2, "", "--group must lie in 0 to 99"},
      {{"encode", "--effect", "7", "A"}, 2, "", "--effect must be one of default 0"},
      {{"encode", "--group", "1", "A"}, 2, "", "--group applies to --address group or unit"},
      {{"encode", "--line", "2", "A"}, 2, "", "apply to --position starting-at only"},
      {{"db", "add", "x.nmd", "--blink-off-at-end", "A"}, 2, "", "not stored"},
      {{"db", "add", "x.nmd", "--address", "unit", "--unit", "4096", "A"}, 2, "", "--unit must lie in 0 to 4095"},
      {{"db", "add", "x.nmd", "--position", "starting-at", "--column", "41", "A"},
       2,
       "",
       "--column must lie in 1 to 40"},
      {{"net", "2", "--ip", "10.0.0.1"}, 2, "", "--ip does not apply to card type 2"},
      {{"net", "1", "--defaults-string", "--no-address"}, 2, "", "--no-address applies to the programming string"},
      {{"net", "4", "--json"}, 0, "{\"string\":\"^A000000^P4m001^P4p1^P4W2\"}\n", nullptr},
      // Decode, check.
      {{"decode", "^A000000^C1^K0HI"},
       0,
       "address\t^A000000\tAddress: group 0, unit 0 (BroadCast)\nheader\t^C1\tPosition: Center\ntext\t^K0\tCharacter "
       "size 1\ntext\tHI\tText\n",
       nullptr},
      {{"check", "--model", "7", "^K0HELLO"}, 0, "", nullptr},
      {{"check", "--model", "0", "--flash", "save", "--repeated", "^K0CAFÉ IS OPEN"}, 1, nullptr, nullptr},
      {{"send", "--check", "--port", "/nonexistent", "^A000000^C1^K0\tX"}, 1, "", "undrawable-character"},
  };
  for (const Case& c : cases) {
    ProcessRun run = RunMarquee(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0] << " " << c.args.back() << ": " << run.err;
    if (c.out) {
      EXPECT_EQ(run.out, c.out) << c.args.back();
    }
    if (c.errHolds) {
      EXPECT_NE(run.err.find(c.errHolds), std::string::npos) << run.err;
    }
  }
  ProcessRun check = RunMarquee({"check", "--model", "0", "--flash", "save", "--repeated", "^K0CAFÉ IS OPEN"});
  EXPECT_EQ(std::count(check.out.begin(), check.out.end(), '\n'), 3) << check.out;
}

TEST(ToolRules, DecodeJsonBuildsTheSameStringAgain) {
  for (const char* string : {"^A010005^E0^L0^C0^M0210^B1^K0^dC1HELLO^Y1", "^E0^L1A", "^L2^D1^K2^X1B^N^N^B0^Y0", "x"}) {
    ProcessRun decoded = RunMarquee({"decode", "--json", string});
    ASSERT_EQ(decoded.exitCode, 0) << decoded.err;
    ProcessRun encoded = RunMarquee({"encode", "--from-json", "-"}, decoded.out);
    EXPECT_EQ(encoded.out, std::string(string) + "\n") << encoded.err;
  }
  ProcessRun bad = RunMarquee({"encode", "--from-json", "-"}, R"({"text": "A", "bogus": 1})");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find("\"bogus\": unknown key"), std::string::npos);
}

// Every command that takes text to the sign converts it the same way: a character
// without a Windows-1252 byte is named with its position (exit 1) unless --replace;
// malformed UTF-8 is refused.
TEST(ToolRules, TextArgumentsAreStrictWindows1252) {
  const std::string dir = std::filesystem::temp_directory_path() / ("rules-text-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string db = dir + "/m.nmd";
  const std::string book = dir + "/b.nmd";
  const std::vector<std::vector<std::string>> commands = {{"db", "add", db},
                                                          {"book", "add", book},
                                                          {"net", "1", "--notice"},
                                                          {"send", "--port", dir + "/none"},
                                                          {"preview"}};
  for (std::vector<std::string> args : commands) {
    const bool isBook = args[0] == "book";
    auto withText = [&](const std::string& text, bool replace) {
      std::vector<std::string> run = args;
      if (replace) run.insert(run.begin() + 1, "--replace");
      run.push_back(text);
      if (isBook) run.push_back("10.0.0.1");
      return RunMarquee(run);
    };
    ProcessRun refused = withText("xΩ", false);
    EXPECT_EQ(refused.exitCode, 1) << args[0];
    EXPECT_NE(refused.err.find("\"Ω\" (U+03A9) at position 2"), std::string::npos) << refused.err;
    EXPECT_NE(withText("\xC0\x80", false).err.find("overlong"), std::string::npos) << args[0];
    ProcessRun replaced = withText("xΩ", true);
    EXPECT_EQ(replaced.err.find("U+03A9"), std::string::npos) << args[0] << ": " << replaced.err;
  }
  EXPECT_EQ(RunMarquee({"net", "1", "--replace", "--notice", "5€Ω"}).out, "^A000000^E1^L0^C1^D1^K0^dC15€?^N\n");
  EXPECT_EQ(RunMarquee({"book", "list", book}).out, "x? [ 10.0.0.1 ]\t10.0.0.1\n");
  std::filesystem::remove_all(dir);
}

TEST(ToolRules, ListingsInJson) {
  const std::string dir = std::filesystem::temp_directory_path() / ("rules-json-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string db = dir + "/m.nmd";
  const std::string book = dir + "/b.nmd";
  ASSERT_EQ(RunMarquee({"db", "add", db, "--address", "unit", "--unit", "5", "--flash", "save", "€\t"}).exitCode, 0);
  ASSERT_EQ(RunMarquee({"book", "add", book, "Hall €", "10.0.0.1", "10.0.0.2"}).exitCode, 0);
  EXPECT_EQ(RunMarquee({"db", "list", "--json", db}).out,
            "[{\"message\":{\"address\":\"unit\",\"blink_off_at_end\":false,\"clear_line\":false,\"column\":0,"
            "\"effect\":\"default\",\"flash\":\"save\",\"group\":0,\"line\":0,\"position\":\"center\",\"reset\":"
            "\"nothing\",\"text\":\"€\\t\",\"unit\":5},\"summary\":\"€\\t\"}]\n");
  EXPECT_EQ(RunMarquee({"db", "lines", "--json", db}).out, "[{\"group\":0,\"line\":\"^C1€\\t^Y1\",\"unit\":5}]\n");
  EXPECT_EQ(RunMarquee({"book", "list", "--json", book}).out,
            "[{\"addresses\":[\"10.0.0.1\",\"10.0.0.2\"],\"name\":\"Hall €\"}]\n");
  const std::string ports = RunMarquee({"ports", "--json"}).out;
  EXPECT_NE(ports.find("{\"port\":\"Ethernet\",\"text\":\"Ethernet\"}]\n"), std::string::npos) << ports;
  EXPECT_EQ(RunMarquee({"book", "list", "--replace", book}).exitCode, 2);
  std::filesystem::remove_all(dir);
}

TEST(ToolRules, ListingsEscapeFieldsToOneLine) {
  const std::string db =
      (std::filesystem::temp_directory_path() / ("rules-" + std::to_string(getpid()) + ".nmd")).string();
  ASSERT_EQ(RunMarquee({"db", "add", db, "--replace", "^K0A\tB\\€"}).exitCode, 0);
  EXPECT_EQ(RunMarquee({"db", "lines", db}).out, "0\t0\t^L0^C1^K0A\\tB\\\\€\n");
  std::filesystem::remove(db);
}

}  // namespace
