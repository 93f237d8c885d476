#pragma once

#include <cstdint>
#include <string>

#include "addressbook/IPEntry.h"

// Network option card types; any other value is built as no card at all.
enum NetworkType : int32_t {
  kNetworkEthernet = 1,
  kNetworkDeviceNet = 2,
  kNetworkProfibus = 3,
  kNetworkModbusRtu = 4,
};

// Ethernet application protocols (m_nProtocol).
enum EthernetProtocol : int32_t {
  kProtocolNone = 0,
  kProtocolEthernetIp = 1,  // "Ethernet/IP Slave"
  kProtocolModbusTcp = 2,   // "Modbus TCP/IP Slave"
};

// The parameter set of one network option card and the command strings built from
// it. The builders format whatever the fields hold; range checks belong to the panes.
// Strings that address a marquee take its group and unit numbers.
class CLadDeviceNetwork {
 public:
  // Fixes the network type and starts from the defaults (Modbus RTU unit ID 1,
  // wiring RS422, byte order code 2).
  explicit CLadDeviceNetwork(int32_t networkType);

  // Resets every field except the network type to its default.
  void SetDefaults();

  // The DeviceNet baud rate in kb/s: 250 for index 1, 500 for index 2, else 125.
  int GetBaudRate() const;
  // "Ethernet", "DeviceNet", "Profibus", "Modbus RTU"; empty for an unknown type.
  std::string GetNetworkName() const;

  // The programming string: the card's commands, after the address prefix when
  // includeAddress. Ethernet sends only the parts whose flags are set and gives the
  // empty string (without prefix) when none is.
  std::string MakeProgramString(bool includeAddress, int group, int unit) const;
  // "^A" + group as "%02d" + unit as "%04d": the address part of every marquee string.
  static std::string MakeAddressPrefix(int group, int unit);

  // Address prefix + the command that returns the card to its default values.
  std::string MakeDefaultsString(int group, int unit) const;
  // Address prefix + the command that disables the card's network.
  std::string MakeDisableString(int group, int unit) const;
  // A display message that scrolls text centred in red on the marquee itself.
  std::string MakeNoticeString(const std::string& text, int group, int unit) const;

  int32_t m_nNetworkType;
  int32_t m_nTimeout;       // connect or data time-out; kept for the panes, never sent
  int32_t m_nPollTime;      // kept for the panes, never sent
  int32_t m_nConsumedSize;  // DeviceNet consumed / Profibus input bytes (R)
  int32_t m_nProducedSize;  // DeviceNet produced / Profibus output bytes (S)
  int32_t m_nNodeAddress;   // DeviceNet MAC ID / Profibus node address (A)
  int32_t m_nByteOrder;     // byte order code of Ethernet, DeviceNet, Profibus (W)
  uint8_t m_nBaudIndex;     // DeviceNet: 0 = 125, 1 = 250, 2 = 500 kb/s
  IPAddress m_IPAddress;
  IPAddress m_SubnetMask;
  IPAddress m_Gateway;
  int32_t m_nProtocol;      // EthernetProtocol
  int32_t m_nInputSize;     // Ethernet/IP input size in 16-bit words (c)
  int32_t m_nUnitId;        // Modbus TCP/IP unit ID (m of the Ethernet card)
  int32_t m_nPortNumber;    // kept for the pane; the card's port is always sent as 49999
  uint8_t m_nRtuUnitId;     // 0..255, 255 disables Modbus RTU (m of the Modbus RTU card)
  uint8_t m_nRtuWiring;     // 0 RS232, 1 RS422, 2 RS485 (p)
  uint8_t m_nRtuByteOrder;  // byte order code of the Modbus RTU card (W)
  bool m_bSendAddress;      // Ethernet: send the address part
  bool m_bSendUnit;         // Ethernet: send the input size or unit ID part
  bool m_bSendByteOrder;    // Ethernet: send the byte order part
};
