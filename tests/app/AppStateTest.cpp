#include <gtest/gtest.h>

#include "app/AppState.h"

namespace {

TEST(AppState, StartsWithTheInitialValues) {
  CAppState state;
  EXPECT_EQ(state.m_MsgSettings.m_nLine, 1);
  EXPECT_EQ(state.m_MsgSettings.m_nColumn, 1);
  EXPECT_EQ(state.m_MsgSettings.m_nAddressMode, 0);
  EXPECT_EQ(state.m_MsgSettings.m_nPosition, 0);
  EXPECT_EQ(state.m_MsgSettings.m_nEffect, 0);
  EXPECT_EQ(state.m_MsgSettings.m_strText, "");
  EXPECT_FALSE(state.m_bMessageLoaded);
  EXPECT_EQ(state.m_strPortName, "COM1");
  EXPECT_TRUE(state.m_MessageList.empty());
  EXPECT_EQ(state.m_nBaudRate, 9600);
  EXPECT_EQ(state.m_nDataBits, 8);
  EXPECT_EQ(state.m_nBinaryMode, 1);
  EXPECT_EQ(state.m_nParityCheck, 1);
  EXPECT_EQ(state.m_nStopBits, 0);
  EXPECT_EQ(state.m_nParity, 0);
  EXPECT_EQ(state.m_SendTarget.m_strName, "New Group");
  EXPECT_TRUE(state.m_SendTarget.m_Members.empty());
  EXPECT_TRUE(state.m_AddressBook.empty());
  EXPECT_EQ(state.m_nNetworkType, kNetworkEthernet);
  EXPECT_EQ(state.m_nGroupNumber, 0);
  EXPECT_EQ(state.m_nUnitNumber, 0);
  EXPECT_TRUE(state.m_Ports.ports.empty());

  const int types[] = {kNetworkProfibus, kNetworkDeviceNet, kNetworkEthernet, kNetworkModbusRtu};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(state.m_NetworkSets[static_cast<size_t>(i)].m_nNetworkType, types[i]);
}

TEST(AppState, FindsTheNetworkSetOfAType) {
  CAppState state;
  for (int type = 1; type <= 4; ++type) {
    ASSERT_NE(state.FindNetworkSet(type), nullptr);
    EXPECT_EQ(state.FindNetworkSet(type)->m_nNetworkType, type);
  }
  EXPECT_EQ(state.FindNetworkSet(0), nullptr);
  EXPECT_EQ(state.FindNetworkSet(5), nullptr);
}

TEST(AppState, LinkSettingsCarryThePortLineAndTarget) {
  CAppState state;
  state.m_strPortName = "Ethernet";
  state.m_nBaudRate = 38400;
  state.m_nStopBits = 2;
  state.m_nParity = 1;
  state.m_SendTarget = CIPGroup("Hall");
  state.m_SendTarget.m_Members.emplace_back("Sign A", IPAddress{10, 0, 0, 5});
  const LinkSettings link = state.GetLinkSettings();
  EXPECT_EQ(link.portName, "Ethernet");
  EXPECT_EQ(link.baudRate, 38400);
  EXPECT_EQ(link.dataBits, 8);
  EXPECT_EQ(link.stopBitsCode, 2);
  EXPECT_EQ(link.parityCode, 1);
  EXPECT_EQ(link.sendTarget, state.m_SendTarget);
}

}  // namespace
