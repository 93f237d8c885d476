#include <gtest/gtest.h>

#include <functional>

#include "netsetup/LadDeviceNetwork.h"

namespace {

CLadDeviceNetwork Network(int32_t type, const std::function<void(CLadDeviceNetwork&)>& change = {}) {
  CLadDeviceNetwork network(type);
  if (change) change(network);
  return network;
}

TEST(LadDeviceNetwork, DefaultsDependOnTheType) {
  for (int32_t type : {kNetworkDeviceNet, kNetworkProfibus}) {
    CLadDeviceNetwork network(type);
    EXPECT_EQ(network.m_nConsumedSize, 32);
    EXPECT_EQ(network.m_nProducedSize, 2);
    EXPECT_EQ(network.m_nNodeAddress, 20);
    EXPECT_EQ(network.m_IPAddress, (IPAddress{0, 0, 0, 0}));
  }
  CLadDeviceNetwork ethernet(kNetworkEthernet);
  EXPECT_EQ(ethernet.m_nConsumedSize, 16);
  EXPECT_EQ(ethernet.m_nProducedSize, 16);
  EXPECT_EQ(ethernet.m_nNodeAddress, 1);
  EXPECT_EQ(ethernet.m_IPAddress, (IPAddress{192, 168, 0, 1}));
  EXPECT_EQ(ethernet.m_SubnetMask, (IPAddress{255, 255, 255, 0}));
  EXPECT_EQ(ethernet.m_nProtocol, kProtocolNone);
  EXPECT_EQ(ethernet.m_nInputSize, 32);
  EXPECT_EQ(ethernet.m_nUnitId, 10);
  CLadDeviceNetwork modbus(kNetworkModbusRtu);
  EXPECT_EQ(modbus.m_SubnetMask, (IPAddress{0, 0, 0, 0}));
  EXPECT_EQ(modbus.m_nRtuUnitId, 1);
  EXPECT_EQ(modbus.m_nRtuWiring, 1);
  EXPECT_EQ(modbus.m_nRtuByteOrder, 2);
  EXPECT_EQ(modbus.m_nByteOrder, 2);
  EXPECT_EQ(modbus.m_nTimeout, 30);
}

TEST(LadDeviceNetwork, SetDefaultsUndoesEveryChangeButTheType) {
  CLadDeviceNetwork changed(kNetworkEthernet);
  changed.m_nTimeout = 5;
  changed.m_nByteOrder = 1;
  changed.m_nBaudIndex = 2;
  changed.m_Gateway = {10, 0, 0, 1};
  changed.m_nProtocol = kProtocolModbusTcp;
  changed.m_nPortNumber = 502;
  changed.m_nRtuWiring = 2;
  changed.m_bSendUnit = false;
  changed.SetDefaults();
  CLadDeviceNetwork fresh(kNetworkEthernet);
  EXPECT_EQ(changed.MakeProgramString(true, 0, 0), fresh.MakeProgramString(true, 0, 0));
  EXPECT_EQ(changed.m_nTimeout, 30);
  EXPECT_EQ(changed.m_nBaudIndex, 0);
  EXPECT_EQ(changed.m_nPortNumber, 0);
  EXPECT_EQ(changed.m_nRtuWiring, 1);
  EXPECT_TRUE(changed.m_bSendUnit);
  EXPECT_EQ(changed.m_nNetworkType, kNetworkEthernet);
}

TEST(LadDeviceNetwork, BaudRateAndNetworkName) {
  const std::pair<int, int> rates[] = {{0, 125}, {1, 250}, {2, 500}, {3, 125}, {255, 125}};
  for (const auto& [index, rate] : rates) {
    const auto baudIndex = static_cast<uint8_t>(index);
    EXPECT_EQ(Network(kNetworkDeviceNet, [baudIndex](auto& n) { n.m_nBaudIndex = baudIndex; }).GetBaudRate(), rate);
  }
  const std::pair<int32_t, const char*> names[] = {
      {1, "Ethernet"}, {2, "DeviceNet"}, {3, "Profibus"}, {4, "Modbus RTU"}, {0, ""}, {5, ""}, {-1, ""}};
  for (auto [type, name] : names) EXPECT_EQ(CLadDeviceNetwork(type).GetNetworkName(), name);
}

TEST(LadDeviceNetwork, AddressPrefix) {
  EXPECT_EQ(CLadDeviceNetwork::MakeAddressPrefix(0, 0), "^A000000");
  EXPECT_EQ(CLadDeviceNetwork::MakeAddressPrefix(1, 5), "^A010005");
  EXPECT_EQ(CLadDeviceNetwork::MakeAddressPrefix(2, 8), "^A020008");
  EXPECT_EQ(CLadDeviceNetwork::MakeAddressPrefix(15, 4095), "^A154095");
}

struct ProgramCase {
  const char* title;
  CLadDeviceNetwork network;
  bool includeAddress;
  int group;
  int unit;
  const char* expected;
};

TEST(LadDeviceNetwork, ProgramStrings) {
  auto ethernetIp = [](CLadDeviceNetwork& n) {
    n.m_nProtocol = kProtocolEthernetIp;
    n.m_nByteOrder = 0;
  };
  auto modbusTcp = [](CLadDeviceNetwork& n) {
    n.m_nProtocol = kProtocolModbusTcp;
    n.m_nByteOrder = 0;
  };
  auto onlyParts = [](bool address, bool unit, bool byteOrder) {
    return [=](CLadDeviceNetwork& n) {
      n.m_bSendAddress = address;
      n.m_bSendUnit = unit;
      n.m_bSendByteOrder = byteOrder;
    };
  };
  auto both = [](auto first, auto second) {
    return [=](CLadDeviceNetwork& n) {
      first(n);
      second(n);
    };
  };
  const ProgramCase cases[] = {
      {"Ethernet/IP worked example", Network(kNetworkEthernet, ethernetIp), true, 0, 0,
       "^A000000^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999^P1c0032^P1W0"},
      {"Modbus TCP worked example", Network(kNetworkEthernet, modbusTcp), true, 0, 0,
       "^A000000^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999^P1m010^P1h0000^P1W0"},
      {"DeviceNet defaults", Network(kNetworkDeviceNet, [](auto& n) { n.m_nByteOrder = 0; }), true, 0, 0,
       "^A000000^P2A020^P2B125^P2R032^P2S002^P2W0"},
      {"Profibus defaults", Network(kNetworkProfibus, [](auto& n) { n.m_nByteOrder = 0; }), true, 0, 0,
       "^A000000^P3A020^P3R032^P3S002^P3W0"},
      {"Modbus RTU defaults", Network(kNetworkModbusRtu), true, 0, 0, "^A000000^P4m001^P4p1^P4W2"},
      {"no Ethernet part, with address", Network(kNetworkEthernet, onlyParts(false, false, false)), true, 1, 2, ""},
      {"no Ethernet part, without address", Network(kNetworkEthernet, onlyParts(false, false, false)), false, 0, 0, ""},
      {"protocol 0, byte order part only", Network(kNetworkEthernet, onlyParts(false, false, true)), true, 0, 0,
       "^A000000"},
      {"protocol 0, byte order part only, no address", Network(kNetworkEthernet, onlyParts(false, false, true)), false,
       0, 0, ""},
      {"protocol 0, all parts: address only", Network(kNetworkEthernet), false, 0, 0,
       "^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999"},
      {"Modbus TCP unit part only", Network(kNetworkEthernet, both(modbusTcp, onlyParts(false, true, false))), true, 2,
       8, "^A020008^P1m010^P1h0000"},
      {"Ethernet/IP byte order part only", Network(kNetworkEthernet, both(ethernetIp, onlyParts(false, false, true))),
       false, 0, 0, "^P1W0"},
      {"unknown protocol sends neither unit nor byte order",
       Network(kNetworkEthernet, [](auto& n) { n.m_nProtocol = 3; }), false, 0, 0,
       "^P1A192.168.000.001^P1M255.255.255.000^P1G000.000.000.000^P1N49999"},
      {"Ethernet/IP small input size",
       Network(kNetworkEthernet, both(ethernetIp,
                                      [](auto& n) {
                                        n.m_nInputSize = 8;
                                        n.m_bSendAddress = false;
                                      })),
       false, 0, 0, "^P1c0008^P1W0"},
      {"DeviceNet baud index out of range", Network(kNetworkDeviceNet, [](auto& n) { n.m_nBaudIndex = 7; }), false, 0,
       0, "^P2A020^P2B125^P2R032^P2S002^P2W2"},
      {"DeviceNet 500 kb/s", Network(kNetworkDeviceNet, [](auto& n) { n.m_nBaudIndex = 2; }), false, 0, 0,
       "^P2A020^P2B500^P2R032^P2S002^P2W2"},
      {"Modbus RTU RS485 and disabled unit",
       Network(kNetworkModbusRtu,
               [](auto& n) {
                 n.m_nRtuWiring = 2;
                 n.m_nRtuUnitId = 255;
                 n.m_nRtuByteOrder = 3;
               }),
       true, 1, 5, "^A010005^P4m255^P4p2^P4W3"},
      {"part flags do not matter for fieldbus cards", Network(kNetworkProfibus, onlyParts(false, false, false)), false,
       0, 0, "^P3A020^P3R032^P3S002^P3W2"},
      {"values above 999 keep all their digits", Network(kNetworkProfibus, [](auto& n) { n.m_nConsumedSize = 1234; }),
       false, 0, 0, "^P3A020^P3R1234^P3S002^P3W2"},
      {"unknown type", Network(7), true, 0, 0, "^A000000"},
      {"unknown type without address", Network(0), false, 0, 0, ""},
  };
  for (const ProgramCase& c : cases)
    EXPECT_EQ(c.network.MakeProgramString(c.includeAddress, c.group, c.unit), c.expected) << c.title;
}

TEST(LadDeviceNetwork, DefaultsAndDisableStrings) {
  const std::tuple<int32_t, const char*, const char*> cases[] = {
      {kNetworkEthernet, "^A000000^P1L", "^A000000^P1Z"},
      {kNetworkDeviceNet, "^A000000^P2L", "^A000000^P2Z"},
      {kNetworkProfibus, "^A000000^P3L", "^A000000^P3Z"},
      {kNetworkModbusRtu, "^A000000^P1L", "^A000000^P1Z"},
      {9, "^A000000^P1L", "^A000000^P1Z"},
  };
  for (auto [type, defaults, disable] : cases) {
    CLadDeviceNetwork network(type);
    EXPECT_EQ(network.MakeDefaultsString(0, 0), defaults) << type;
    EXPECT_EQ(network.MakeDisableString(0, 0), disable) << type;
  }
  EXPECT_EQ(CLadDeviceNetwork(kNetworkDeviceNet).MakeDisableString(2, 8), "^A020008^P2Z");
}

TEST(LadDeviceNetwork, NoticeString) {
  CLadDeviceNetwork network(kNetworkProfibus);
  EXPECT_EQ(network.MakeNoticeString(network.GetNetworkName() + " Communication Attributes Programmed.", 1, 5),
            "^A010005^E1^L0^C1^D1^K0^dC1Profibus Communication Attributes Programmed.^N");
}

}  // namespace
