#include "sim/NetworkCards.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "common/Text.h"
#include "link/TcpRules.h"

namespace {

// The value a field takes whatever its digits say.
constexpr int kAnyValue = 99999;

}  // namespace

const std::array<CardCommand, 26> kCardCommands = {{
    {"^P1A###.###.###.###", kNetworkEthernet, CardField::kIpAddress, "IP address", kAnyValue},
    {"^P1M###.###.###.###", kNetworkEthernet, CardField::kSubnetMask, "subnet mask", kAnyValue},
    {"^P1G###.###.###.###", kNetworkEthernet, CardField::kGateway, "gateway", kAnyValue},
    {"^P1N#####", kNetworkEthernet, CardField::kPort, "TCP port", 65535},
    {"^P1c####", kNetworkEthernet, CardField::kInputSize, "Ethernet/IP input size", kAnyValue},
    {"^P1m###", kNetworkEthernet, CardField::kUnitId, "Modbus TCP/IP unit ID", kAnyValue},
    {"^P1h####", kNetworkEthernet, CardField::kUnitIdFollowUp, "after the unit ID", kAnyValue},
    {"^P1W#", kNetworkEthernet, CardField::kByteOrder, "byte order", 3},
    {"^P1L", kNetworkEthernet, CardField::kDefaults, "set to default values", kAnyValue},
    {"^P1Z", kNetworkEthernet, CardField::kDisable, "disable network", kAnyValue},
    {"^P2A###", kNetworkDeviceNet, CardField::kNodeAddress, "MAC ID", kAnyValue},
    {"^P2B###", kNetworkDeviceNet, CardField::kBaudRate, "baud rate", kAnyValue},
    {"^P2R###", kNetworkDeviceNet, CardField::kConsumedSize, "consumed bytes", kAnyValue},
    {"^P2S###", kNetworkDeviceNet, CardField::kProducedSize, "produced bytes", kAnyValue},
    {"^P2W#", kNetworkDeviceNet, CardField::kByteOrder, "byte order", 3},
    {"^P2L", kNetworkDeviceNet, CardField::kDefaults, "set to default values", kAnyValue},
    {"^P2Z", kNetworkDeviceNet, CardField::kDisable, "disable network", kAnyValue},
    {"^P3A###", kNetworkProfibus, CardField::kNodeAddress, "node address", kAnyValue},
    {"^P3R###", kNetworkProfibus, CardField::kConsumedSize, "input bytes", kAnyValue},
    {"^P3S###", kNetworkProfibus, CardField::kProducedSize, "output bytes", kAnyValue},
    {"^P3W#", kNetworkProfibus, CardField::kByteOrder, "byte order", 3},
    {"^P3L", kNetworkProfibus, CardField::kDefaults, "set to default values", kAnyValue},
    {"^P3Z", kNetworkProfibus, CardField::kDisable, "disable network", kAnyValue},
    {"^P4m###", kNetworkModbusRtu, CardField::kRtuUnitId, "unit ID", 255},
    {"^P4p#", kNetworkModbusRtu, CardField::kRtuWiring, "wiring", 2},
    {"^P4W#", kNetworkModbusRtu, CardField::kRtuByteOrder, "byte order", 3},
}};

namespace {

constexpr size_t kValueStart = 4;  // after "^P", the card digit and the letter

// Four "###" octets separated by dots; nothing when one is above 255.
std::optional<IPAddress> ReadOctets(std::string_view value) {
  IPAddress address;
  for (size_t i = 0; i < address.size(); ++i) {
    const int octet = LeadingInt(value.substr(i * 4, 3));
    if (octet > 255) return std::nullopt;
    address[i] = static_cast<uint8_t>(octet);
  }
  return address;
}

// A card out of the box, or after "set to default values": the program's defaults, with
// the TCP port every card listens on.
void ResetCard(SimCard& card) {
  card.params.SetDefaults();
  if (card.params.m_nNetworkType == kNetworkEthernet) card.params.m_nPortNumber = kMarqueeTcpPort;
  card.unitIdFollowUp = 0;
}

std::string PaddedOctets(const IPAddress& address) {
  return Format("%03d.%03d.%03d.%03d", address[0], address[1], address[2], address[3]);
}

}  // namespace

SimCards::SimCards()
    : m_cards{SimCard(kNetworkEthernet), SimCard(kNetworkDeviceNet), SimCard(kNetworkProfibus),
              SimCard(kNetworkModbusRtu)} {
  for (SimCard& card : m_cards) ResetCard(card);
}

const SimCard& SimCards::Card(int type) const {
  return m_cards[static_cast<size_t>(type - kNetworkEthernet)];
}

SimCard& SimCards::MutableCard(int type) {
  return m_cards[static_cast<size_t>(type - kNetworkEthernet)];
}

bool SimCards::Apply(const CardCommand& command, std::string_view code, std::vector<int>& changed) {
  const std::string_view value = code.substr(kValueStart);
  const int number = LeadingInt(value);
  SimCard& card = MutableCard(command.card);
  CLadDeviceNetwork& params = card.params;

  if (command.field == CardField::kDefaults || command.field == CardField::kDisable) {
    std::vector<int> cards = {command.card};
    if (command.card == kNetworkEthernet) cards.push_back(kNetworkModbusRtu);
    for (int type : cards) {
      SimCard& target = MutableCard(type);
      if (command.field == CardField::kDefaults) ResetCard(target);
      target.enabled = command.field == CardField::kDefaults;
      changed.push_back(type);
    }
    return true;
  }

  if (number > command.maximum) return false;
  switch (command.field) {
    case CardField::kIpAddress:
    case CardField::kSubnetMask:
    case CardField::kGateway: {
      const std::optional<IPAddress> octets = ReadOctets(value);
      if (!octets) return false;
      IPAddress& target = command.field == CardField::kIpAddress    ? params.m_IPAddress
                          : command.field == CardField::kSubnetMask ? params.m_SubnetMask
                                                                    : params.m_Gateway;
      target = *octets;
      break;
    }
    case CardField::kPort:
      params.m_nPortNumber = number;
      break;
    case CardField::kInputSize:
      params.m_nInputSize = number;
      params.m_nProtocol = kProtocolEthernetIp;
      break;
    case CardField::kUnitId:
      params.m_nUnitId = number;
      params.m_nProtocol = kProtocolModbusTcp;
      break;
    case CardField::kUnitIdFollowUp:
      card.unitIdFollowUp = number;
      break;
    case CardField::kByteOrder:
      params.m_nByteOrder = number;
      break;
    case CardField::kNodeAddress:
      params.m_nNodeAddress = number;
      break;
    case CardField::kBaudRate: {
      constexpr int kRates[] = {125, 250, 500};
      const auto* rate = std::find(std::begin(kRates), std::end(kRates), number);
      if (rate == std::end(kRates)) return false;
      params.m_nBaudIndex = static_cast<uint8_t>(rate - std::begin(kRates));
      break;
    }
    case CardField::kConsumedSize:
      params.m_nConsumedSize = number;
      break;
    case CardField::kProducedSize:
      params.m_nProducedSize = number;
      break;
    case CardField::kRtuUnitId:
      params.m_nRtuUnitId = static_cast<uint8_t>(number);
      break;
    case CardField::kRtuWiring:
      params.m_nRtuWiring = static_cast<uint8_t>(number);
      break;
    case CardField::kRtuByteOrder:
      params.m_nRtuByteOrder = static_cast<uint8_t>(number);
      break;
    case CardField::kDefaults:
    case CardField::kDisable:
      break;
  }
  card.enabled = true;
  changed.push_back(command.card);
  return true;
}

std::vector<SimField> CardReport(const SimCard& card) {
  const CLadDeviceNetwork& p = card.params;
  std::vector<SimField> fields = {{"name", p.GetNetworkName()}, {"enabled", card.enabled ? "1" : "0"}};
  auto add = [&fields](std::string_view key, int value) { fields.push_back({key, std::to_string(value)}); };
  switch (p.m_nNetworkType) {
    case kNetworkEthernet:
      fields.push_back({"ip", PaddedOctets(p.m_IPAddress)});
      fields.push_back({"mask", PaddedOctets(p.m_SubnetMask)});
      fields.push_back({"gateway", PaddedOctets(p.m_Gateway)});
      add("port", p.m_nPortNumber);
      add("protocol", p.m_nProtocol);
      add("input", p.m_nInputSize);
      add("unitid", p.m_nUnitId);
      add("next", card.unitIdFollowUp);
      add("byteorder", p.m_nByteOrder);
      break;
    case kNetworkDeviceNet:
      add("mac", p.m_nNodeAddress);
      add("baud", p.GetBaudRate());
      add("consumed", p.m_nConsumedSize);
      add("produced", p.m_nProducedSize);
      add("byteorder", p.m_nByteOrder);
      break;
    case kNetworkProfibus:
      add("node", p.m_nNodeAddress);
      add("input", p.m_nConsumedSize);
      add("output", p.m_nProducedSize);
      add("byteorder", p.m_nByteOrder);
      break;
    default:
      add("unitid", p.m_nRtuUnitId);
      add("wiring", p.m_nRtuWiring);
      add("byteorder", p.m_nRtuByteOrder);
      break;
  }
  return fields;
}
