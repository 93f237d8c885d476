#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "FakeInstaller.h"
#include "InMemoryRegistry.h"
#include "setuphelper/InstalledPathLookup.h"

namespace {

const std::string kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const std::string kProgram = "FerroMarquee.exe";

void LookUp(const ILocalMachineRegistry& registry, FakeInstaller& installer) {
  LookUpLastInstalledPath(registry, FakeInstaller::GlobalFree, nullptr, installer.VariableSize(), installer.Variables(),
                          installer.StackTop());
}

// A "Path" value with its zero, as the system stores text.
std::string Stored(const std::string& text) {
  return text + '\0';
}

struct Case {
  const char* what;
  std::string key;        // key added to the registry, below kAppPaths ("" adds none)
  bool withPath;          // whether that key has a "Path" value
  std::string pathValue;  // the value's bytes as stored
  std::string pushed;     // the program name pushed on the installer stack
  int variableSize;
  std::string expected;  // $0 afterwards
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.what;
}

class LookUpCase : public testing::TestWithParam<Case> {};

TEST_P(LookUpCase, SetsVariableZeroAndNothingElse) {
  const Case& c = GetParam();
  InMemoryRegistry registry;
  if (!c.key.empty()) {
    registry.AddKey(kAppPaths + c.key, c.withPath ? InMemoryRegistry::Values{{"Path", c.pathValue}}
                                                  : InMemoryRegistry::Values{{"", Stored("C:\\x\\y.exe")}});
  }
  FakeInstaller installer(c.variableSize);
  installer.Push(c.pushed);
  const InstallerStackNode* popped = installer.Top();

  LookUp(registry, installer);

  EXPECT_EQ(installer.Variable(0), c.expected);
  EXPECT_TRUE(installer.OnlyVariableZeroWritten());
  EXPECT_FALSE(FakeInstaller::IsLive(popped));
  EXPECT_EQ(installer.Top(), nullptr);
  EXPECT_EQ(registry.OpenKeys(), 0) << "every opened key is closed";
}

const std::string kLongFolder = "C:\\" + std::string(297, 'f');
const std::string kLongName = std::string(120, 'n') + ".exe";

INSTANTIATE_TEST_SUITE_P(
    GetLastInstalledPath, LookUpCase,
    testing::Values(
        Case{"trailing backslash kept", kProgram, true, Stored("C:\\Program Files\\Norv\\"), kProgram, 1024,
             "C:\\Program Files\\Norv\\"},
        Case{"no trailing backslash added", kProgram, true, Stored("D:\\Apps\\Norv"), kProgram, 1024, "D:\\Apps\\Norv"},
        Case{"missing key", "Other.exe", true, Stored("C:\\Other"), kProgram, 1024, ""},
        Case{"key without Path", kProgram, false, "", kProgram, 1024, ""},
        Case{"empty Path", kProgram, true, "", kProgram, 1024, ""},
        Case{"value without zero", kProgram, true, "C:\\NoZero", kProgram, 1024, "C:\\NoZero"},
        Case{"value ends at its first zero", kProgram, true, Stored(std::string("C:\\A\0junk", 9)), kProgram, 1024,
             "C:\\A"},
        Case{"value truncated to 255", kProgram, true, Stored(kLongFolder), kProgram, 1024, kLongFolder.substr(0, 255)},
        Case{"unterminated long value truncated to 255", kProgram, true, kLongFolder, kProgram, 1024,
             kLongFolder.substr(0, 255)},
        Case{"value truncated to one variable", "N.exe", true, Stored("C:\\Program Files\\Norv\\"), "N.exe", 12,
             "C:\\Program "},
        Case{"name truncated to 99", kLongName.substr(0, 99), true, Stored("C:\\Long"), kLongName, 1024, "C:\\Long"},
        Case{"name truncated to one variable", "Ferro", true, Stored("C:\\F"), kProgram, 6, "C:\\F"}),
    [](const testing::TestParamInfo<Case>& caseInfo) {
      std::string name = caseInfo.param.what;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

TEST(GetLastInstalledPath, EmptyOrMissingStackStillLooksUpAndSetsVariableZero) {
  InMemoryRegistry registry;
  for (bool missingStack : {false, true}) {
    SCOPED_TRACE(missingStack);
    FakeInstaller installer(1024);
    LookUpLastInstalledPath(registry, FakeInstaller::GlobalFree, nullptr, installer.VariableSize(),
                            installer.Variables(), missingStack ? nullptr : installer.StackTop());
    EXPECT_EQ(registry.LastOpened(), kAppPaths);
    EXPECT_EQ(installer.Variable(0), "");
    EXPECT_TRUE(installer.OnlyVariableZeroWritten());
  }
}

TEST(GetLastInstalledPath, NoVariableSizeOrNoVariableBlockWritesNothing) {
  InMemoryRegistry registry;
  registry.AddKey(kAppPaths + kProgram, {{"Path", Stored("C:\\Norv\\")}});

  FakeInstaller noSize(0);
  noSize.Push(kProgram);
  LookUp(registry, noSize);
  EXPECT_TRUE(noSize.GuardsIntact());
  EXPECT_EQ(noSize.Top(), nullptr);

  FakeInstaller noBlock(1024);
  noBlock.Push(kProgram);
  LookUpLastInstalledPath(registry, FakeInstaller::GlobalFree, nullptr, noBlock.VariableSize(), nullptr,
                          noBlock.StackTop());
  EXPECT_EQ(noBlock.Variable(0), noBlock.UntouchedVariable());
  EXPECT_EQ(noBlock.Top(), nullptr);
}

// A value that grows between the size query and the read (another program writing it).
class GrowingValueRegistry : public InMemoryRegistry {
 public:
  bool QueryValue(RegistryKeyHandle* key, const char* valueName, char* data, std::uint32_t& size) const override {
    const bool found = InMemoryRegistry::QueryValue(key, valueName, data, size);
    if (found && data == nullptr) size -= 1;
    return found;
  }
};

TEST(GetLastInstalledPath, ValueThatNoLongerFitsGivesAnEmptyResult) {
  GrowingValueRegistry registry;
  registry.AddKey(kAppPaths + kProgram, {{"Path", Stored("C:\\Norv\\")}});
  FakeInstaller installer(1024);
  installer.Push(kProgram);
  LookUp(registry, installer);
  EXPECT_EQ(installer.Variable(0), "");
  EXPECT_EQ(registry.OpenKeys(), 0);
}

}  // namespace
