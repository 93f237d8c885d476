#include "netsetup/LadDeviceNetwork.h"

#include <iterator>

#include "common/Text.h"
#include "message/CommandString.h"

namespace {

bool IsDeviceNetOrProfibus(int32_t type) {
  return type == kNetworkDeviceNet || type == kNetworkProfibus;
}

std::string FormatPaddedAddress(const IPAddress& address) {
  return Format("%03d.%03d.%03d.%03d", address[0], address[1], address[2], address[3]);
}

// The card digit of the set-defaults and disable commands: Modbus RTU and unknown
// types share the Ethernet card's commands.
char DefaultsCardDigit(int32_t type) {
  return type == kNetworkDeviceNet ? '2' : type == kNetworkProfibus ? '3' : '1';
}

}  // namespace

CLadDeviceNetwork::CLadDeviceNetwork(int32_t networkType) : m_nNetworkType(networkType) {
  SetDefaults();
}

void CLadDeviceNetwork::SetDefaults() {
  const bool ethernet = m_nNetworkType == kNetworkEthernet;
  const bool fieldbus = IsDeviceNetOrProfibus(m_nNetworkType);
  m_nTimeout = 30;
  m_nPollTime = 0;
  m_nConsumedSize = fieldbus ? 32 : 16;
  m_nProducedSize = fieldbus ? 2 : 16;
  m_nNodeAddress = fieldbus ? 20 : 1;
  m_nByteOrder = 2;
  m_nBaudIndex = 0;
  m_IPAddress = ethernet ? IPAddress{192, 168, 0, 1} : IPAddress{};
  m_SubnetMask = ethernet ? IPAddress{255, 255, 255, 0} : IPAddress{};
  m_Gateway = IPAddress{};
  m_nProtocol = kProtocolNone;
  m_nInputSize = 32;
  m_nUnitId = 10;
  m_nPortNumber = 0;
  m_nRtuUnitId = 1;
  m_nRtuWiring = 1;
  m_nRtuByteOrder = 2;
  m_bSendAddress = true;
  m_bSendUnit = true;
  m_bSendByteOrder = true;
}

int CLadDeviceNetwork::GetBaudRate() const {
  constexpr int kRates[] = {125, 250, 500};
  return m_nBaudIndex < std::size(kRates) ? kRates[m_nBaudIndex] : kRates[0];
}

std::string CLadDeviceNetwork::GetNetworkName() const {
  constexpr const char* kNames[] = {"Ethernet", "DeviceNet", "Profibus", "Modbus RTU"};
  bool known = m_nNetworkType >= kNetworkEthernet && m_nNetworkType <= kNetworkModbusRtu;
  return known ? kNames[m_nNetworkType - kNetworkEthernet] : "";
}

std::string CLadDeviceNetwork::MakeAddressPrefix(int group, int unit) {
  return AddressCode(group, unit);
}

std::string CLadDeviceNetwork::MakeProgramString(bool includeAddress, int group, int unit) const {
  std::string text = includeAddress ? MakeAddressPrefix(group, unit) : std::string();
  switch (m_nNetworkType) {
    case kNetworkEthernet: {
      if (!m_bSendAddress && !m_bSendUnit && !m_bSendByteOrder) return "";
      if (m_bSendAddress)
        text += "^P1A" + FormatPaddedAddress(m_IPAddress) + "^P1M" + FormatPaddedAddress(m_SubnetMask) + "^P1G" +
                FormatPaddedAddress(m_Gateway) + "^P1N49999";
      if (m_bSendUnit && m_nProtocol == kProtocolEthernetIp) text += Format("^P1c00%02d", m_nInputSize);
      if (m_bSendUnit && m_nProtocol == kProtocolModbusTcp) text += Format("^P1m%03d^P1h0000", m_nUnitId);
      bool hasProtocol = m_nProtocol == kProtocolEthernetIp || m_nProtocol == kProtocolModbusTcp;
      if (m_bSendByteOrder && hasProtocol) text += Format("^P1W%1d", m_nByteOrder);
      break;
    }
    case kNetworkDeviceNet:
      text += Format("^P2A%03d^P2B%03d^P2R%03d^P2S%03d^P2W%1d", m_nNodeAddress, GetBaudRate(), m_nConsumedSize,
                     m_nProducedSize, m_nByteOrder);
      break;
    case kNetworkProfibus:
      text += Format("^P3A%03d^P3R%03d^P3S%03d^P3W%1d", m_nNodeAddress, m_nConsumedSize, m_nProducedSize, m_nByteOrder);
      break;
    case kNetworkModbusRtu:
      text += Format("^P4m%03d^P4p%d^P4W%1d", m_nRtuUnitId, m_nRtuWiring, m_nRtuByteOrder);
      break;
    default:
      break;
  }
  return text;
}

std::string CLadDeviceNetwork::MakeDefaultsString(int group, int unit) const {
  return MakeAddressPrefix(group, unit) + "^P" + DefaultsCardDigit(m_nNetworkType) + "L";
}

std::string CLadDeviceNetwork::MakeDisableString(int group, int unit) const {
  return MakeAddressPrefix(group, unit) + "^P" + DefaultsCardDigit(m_nNetworkType) + "Z";
}

std::string CLadDeviceNetwork::MakeNoticeString(const std::string& text, int group, int unit) const {
  return MakeAddressPrefix(group, unit) + "^E1^L0^C1^D1^K0^dC1" + text + "^N";
}
