#include <gtest/gtest.h>

#include <string>

#include "FakeInstaller.h"
#include "setuphelper/InstallerStack.h"

namespace {

void StoreArguments(FakeInstaller& installer) {
  StoreCallArguments(nullptr, installer.VariableSize(), installer.Variables(), installer.StackTop(),
                     FakeInstaller::GlobalFree);
}

TEST(InstallerStack, PopTakesTheTopAndFreesItWithTheInstallersAllocator) {
  FakeInstaller installer(1024);
  installer.Push("below");
  installer.Push("FerroMarquee.exe");
  const InstallerStackNode* popped = installer.Top();
  StoreArguments(installer);

  char buffer[100] = "";
  EXPECT_EQ(PopString(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "FerroMarquee.exe");
  EXPECT_FALSE(FakeInstaller::IsLive(popped));
  ASSERT_NE(installer.Top(), nullptr);
  EXPECT_STREQ(installer.Top()->text, "below");
  EXPECT_EQ(installer.Top()->next, nullptr);
}

TEST(InstallerStack, PopFromAnEmptyOrMissingStackLeavesTheBufferAsItWas) {
  FakeInstaller installer(1024);
  char buffer[100] = "earlier";
  StoreArguments(installer);
  EXPECT_EQ(PopString(buffer, sizeof buffer), 1);
  StoreCallArguments(nullptr, installer.VariableSize(), installer.Variables(), nullptr, FakeInstaller::GlobalFree);
  EXPECT_EQ(PopString(buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "earlier");
}

TEST(InstallerStack, PopTruncatesToTheBufferAndToOneVariableAndAlwaysFreesTheNode) {
  struct Case {
    int variableSize;
    std::size_t bufferSize;
    std::string expected;
  };
  // A variable size of 0 leaves no room: the buffer keeps its 'x' filling.
  for (const Case& c :
       {Case{1024, 8, "0123456"}, Case{8, 100, "0123456"}, Case{1, 100, ""}, Case{0, 100, std::string(100, 'x')}}) {
    SCOPED_TRACE(c.variableSize);
    FakeInstaller installer(c.variableSize);
    installer.Push("0123456789");
    const InstallerStackNode* popped = installer.Top();
    StoreArguments(installer);
    std::string buffer(c.bufferSize, 'x');
    EXPECT_EQ(PopString(buffer.data(), buffer.size()), 0);
    EXPECT_EQ(buffer.c_str(), c.expected);
    EXPECT_FALSE(FakeInstaller::IsLive(popped));
    EXPECT_EQ(installer.Top(), nullptr);
  }
}

TEST(InstallerStack, PopOfATextWithoutZeroReadsNoFurtherThanItsNode) {
  FakeInstaller installer(16);
  installer.PushUnterminated('n');
  StoreArguments(installer);
  char buffer[100];
  EXPECT_EQ(PopString(buffer, sizeof buffer), 0);
  EXPECT_EQ(std::string(buffer), std::string(15, 'n'));
}

TEST(InstallerStack, SetWritesOneVariableTruncatedAndNothingElse) {
  FakeInstaller installer(8);
  StoreArguments(installer);
  SetUserVariable(24, "$LANGUAGE value");
  EXPECT_EQ(installer.Variable(24), "$LANGUA");
  EXPECT_EQ(installer.Variable(23), installer.UntouchedVariable());
  SetUserVariable(0, "C:\\");
  EXPECT_EQ(installer.Variable(0), "C:\\");
  EXPECT_EQ(installer.Variable(1), installer.UntouchedVariable());
  EXPECT_TRUE(installer.GuardsIntact());
}

TEST(InstallerStack, SetIgnoresBadIndexNullTextAndMissingVariables) {
  FakeInstaller installer(8);
  StoreArguments(installer);
  SetUserVariable(-1, "x");
  SetUserVariable(25, "x");
  SetUserVariable(0, nullptr);
  for (int index = 0; index < kInstallerVariableCount; ++index) {
    EXPECT_EQ(installer.Variable(index), installer.UntouchedVariable()) << index;
  }
  StoreCallArguments(nullptr, 8, nullptr, installer.StackTop(), FakeInstaller::GlobalFree);
  SetUserVariable(0, "x");  // must not crash
}

}  // namespace
