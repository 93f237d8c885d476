#include <gtest/gtest.h>

#include "app/AppState.h"

namespace {

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
