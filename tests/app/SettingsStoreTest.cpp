#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <memory>

#include "app/SettingsStore.h"
#include "support/TempDir.h"

namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  // A fresh settings object on the test's file; the file is written when it goes.
  std::unique_ptr<QSettings> Open() {
    return std::make_unique<QSettings>(QString::fromStdString(m_dir.PathOf("settings.ini")), QSettings::IniFormat);
  }
  CAppState Read() {
    CAppState state;
    ReadSettings(*Open(), state);
    return state;
  }
  void Set(const QString& name, const QVariant& value) { Open()->setValue(name, value); }

  TempDir m_dir;
};

CIPGroup Target(const std::string& name, int members) {
  CIPGroup target(name);
  for (int i = 0; i < members; ++i)
    target.m_Members.emplace_back("Sign " + std::to_string(i), IPAddress{10, 0, 0, static_cast<uint8_t>(i + 1)});
  return target;
}

TEST_F(SettingsStoreTest, FirstRunKeepsTheInitialValues) {
  CAppState state = Read();
  EXPECT_EQ(state.m_strPortName, "COM1");
  EXPECT_EQ(state.m_nBaudRate, 9600);
  EXPECT_EQ(state.m_SendTarget, CIPGroup("New Group"));
  EXPECT_EQ(state.m_MsgSettings.m_nLine, 1);
  EXPECT_EQ(state.m_MsgSettings.m_nColumn, 1);
  EXPECT_EQ(state.m_nGroupNumber, 0);
}

TEST_F(SettingsStoreTest, EverythingWrittenReadsBack) {
  CAppState written;
  written.m_MsgSettings.m_nAddressMode = kAddressSpecificUnit;
  written.m_nGroupNumber = 2;
  written.m_nUnitNumber = 12;
  written.m_MsgSettings.m_nPosition = kPositionStartingAt;
  written.m_MsgSettings.m_nLine = 8;
  written.m_MsgSettings.m_nColumn = 40;
  written.m_MsgSettings.m_nResetMode = kResetClearHomeReset;
  written.m_MsgSettings.m_nEffect = kEffectScrollOnce;
  written.m_MsgSettings.m_nFlashMode = kFlashSave;
  written.m_strPortName = "ttyUSB0";
  written.m_nBaudRate = 38400;
  written.m_SendTarget = Target(
      "Halle S\xFC"
      "d",
      3);
  written.m_SendTarget.m_Members[2].m_Address = {255, 254, 0, 1};
  WriteComposerSettings(*Open(), written);

  CAppState read = Read();
  EXPECT_EQ(read.m_MsgSettings.m_nAddressMode, kAddressSpecificUnit);
  EXPECT_EQ(read.m_nGroupNumber, 2);
  EXPECT_EQ(read.m_nUnitNumber, 12);
  EXPECT_EQ(read.m_MsgSettings.m_nPosition, kPositionStartingAt);
  EXPECT_EQ(read.m_MsgSettings.m_nLine, 8);
  EXPECT_EQ(read.m_MsgSettings.m_nColumn, 40);
  EXPECT_EQ(read.m_MsgSettings.m_nResetMode, kResetClearHomeReset);
  EXPECT_EQ(read.m_MsgSettings.m_nEffect, kEffectScrollOnce);
  EXPECT_EQ(read.m_MsgSettings.m_nFlashMode, kFlashSave);
  EXPECT_EQ(read.m_strPortName, "ttyUSB0");
  EXPECT_EQ(read.m_nBaudRate, 38400);
  EXPECT_EQ(read.m_SendTarget, written.m_SendTarget);
}

TEST_F(SettingsStoreTest, ValuesHaveTheirExactNames) {
  CAppState state;
  state.m_SendTarget = Target("Hall", 1);
  WriteComposerSettings(*Open(), state);
  const QStringList expected = {"Address",
                                "Baud Rate",
                                "COM Port Name",
                                "Column",
                                "Display Mode",
                                "Effect",
                                "FlashStore Mode",
                                "Group Name",
                                "GroupNumber",
                                "IP Information/IP Address0 1",
                                "IP Information/IP Address0 2",
                                "IP Information/IP Address0 3",
                                "IP Information/IP Address0 4",
                                "IP Information/IP Name 0 ",
                                "Line",
                                "No of IP",
                                "Position",
                                "UnitNumber"};
  EXPECT_EQ(Open()->allKeys(), expected);
  // The trailing blank of the member name reaches the file.
  QFile file(QString::fromStdString(m_dir.PathOf("settings.ini")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("IP%20Name%200%20=Sign 0"));
}

TEST_F(SettingsStoreTest, MembersAreReadByTheirNumbers) {
  Set("No of IP", 2);
  Set("IP Information/IP Name 0 ", "Sign A");
  Set("IP Information/IP Address0 1", 192);
  Set("IP Information/IP Address0 2", 168);
  Set("IP Information/IP Address0 3", 0);
  Set("IP Information/IP Address0 4", 5);
  CAppState state = Read();
  ASSERT_EQ(state.m_SendTarget.m_Members.size(), 2u);
  EXPECT_EQ(state.m_SendTarget.m_Members[0], CIPData("Sign A", IPAddress{192, 168, 0, 5}));
  EXPECT_EQ(state.m_SendTarget.m_Members[1], CIPData("New IP", IPAddress{0, 0, 0, 0}));
}

TEST_F(SettingsStoreTest, ASmallerSendTargetLeavesNoStaleMembers) {
  CAppState state;
  state.m_SendTarget = Target("Hall", 3);
  WriteLinkSettings(*Open(), state);
  state.m_SendTarget = Target("Door", 1);
  WriteLinkSettings(*Open(), state);
  auto settings = Open();
  settings->beginGroup("IP Information");
  EXPECT_EQ(settings->childKeys().size(), 5);
  settings->endGroup();
  EXPECT_EQ(Read().m_SendTarget, Target("Door", 1));
}

TEST_F(SettingsStoreTest, DamagedValuesKeepTheCurrentOnes) {
  struct Case {
    const char* name;
    QVariant value;
  };
  const Case cases[] = {
      {"Address", 4},
      {"Address", -1},
      {"Address", "broadcast"},
      {"GroupNumber", 16},
      {"GroupNumber", -1},
      {"UnitNumber", 4096},
      {"Position", 3},
      {"Line", 0},
      {"Line", 9},
      {"Column", 41},
      {"Column", "12x"},
      {"Display Mode", 5},
      {"Effect", 5},
      {"FlashStore Mode", 3},
      {"Baud Rate", 0},
      {"Baud Rate", -9600},
      {"Baud Rate", "fast"},
      {"Baud Rate", 4000001},
      {"COM Port Name", ""},
      {"Line", 2.5},
      {"Group Name", QStringList{"a", "b"}},
  };
  for (const Case& c : cases) {
    Open()->clear();
    Set(c.name, c.value);
    CAppState state = Read();
    CAppState initial;
    EXPECT_EQ(state.m_MsgSettings.m_nAddressMode, initial.m_MsgSettings.m_nAddressMode) << c.name;
    EXPECT_EQ(state.m_nGroupNumber, 0) << c.name;
    EXPECT_EQ(state.m_nUnitNumber, 0) << c.name;
    EXPECT_EQ(state.m_MsgSettings.m_nPosition, 0) << c.name;
    EXPECT_EQ(state.m_MsgSettings.m_nLine, 1) << c.name;
    EXPECT_EQ(state.m_MsgSettings.m_nColumn, 1) << c.name;
    EXPECT_EQ(state.m_MsgSettings.m_nResetMode, 0) << c.name;
    EXPECT_EQ(state.m_MsgSettings.m_nEffect, 0) << c.name;
    EXPECT_EQ(state.m_MsgSettings.m_nFlashMode, 0) << c.name;
    EXPECT_EQ(state.m_nBaudRate, 9600) << c.name;
    EXPECT_EQ(state.m_strPortName, "COM1") << c.name;
    EXPECT_EQ(state.m_SendTarget.m_strName, "New Group") << c.name;
  }
}

TEST_F(SettingsStoreTest, UnusualButSoundValuesAreKept) {
  Set("Baud Rate", 19200);  // hand-edited: stays in use until a rate is picked
  Set("GroupNumber", 15);
  Set("UnitNumber", 4095);
  Set("Group Name", "");  // what an empty address book leaves behind
  CAppState state = Read();
  EXPECT_EQ(state.m_nBaudRate, 19200);
  EXPECT_EQ(state.m_nGroupNumber, 15);
  EXPECT_EQ(state.m_nUnitNumber, 4095);
  EXPECT_EQ(state.m_SendTarget.m_strName, "");
}

TEST_F(SettingsStoreTest, MemberCountIsBounded) {
  const std::pair<QVariant, size_t> cases[] = {{-5, 0u}, {"many", 0u}, {70000, 65535u}, {2147483647, 65535u}};
  for (const auto& [count, members] : cases) {
    Open()->clear();
    Set("No of IP", count);
    EXPECT_EQ(Read().m_SendTarget.m_Members.size(), members) << count.toString().toStdString();
  }
}

TEST_F(SettingsStoreTest, OctetsKeepTheirLowByte) {
  Set("No of IP", 1);
  Set("IP Information/IP Address0 1", 256);
  Set("IP Information/IP Address0 2", 300);
  Set("IP Information/IP Address0 3", -1);
  Set("IP Information/IP Address0 4", "x");
  EXPECT_EQ(Read().m_SendTarget.m_Members.at(0).m_Address, (IPAddress{0, 44, 255, 0}));
}

}  // namespace
