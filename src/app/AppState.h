#pragma once

#include <array>
#include <string>
#include <vector>

#include "addressbook/IPEntry.h"
#include "link/LinkSettings.h"
#include "link/PortList.h"
#include "message/CMsgObjDBList.h"
#include "message/CMsgSettings.h"
#include "netsetup/LadDeviceNetwork.h"

// The state the pages share for the whole run, with its initial values. The application
// object (CNorvMarqueeApp) is this state plus its services; pages read and change the
// members directly, through theApp(). Nothing here is saved unless a page asks for it.
struct CAppState {
  CMsgSettings m_MsgSettings;          // the composer's current message (line 1, column 1, all else 0)
  CMsgObjDBList m_PickedMessage;       // the record "Select Message" copied from the database
  bool m_bMessageLoaded = false;       // set with m_PickedMessage: the composer reloads itself and clears it
  std::string m_strPortName = "COM1";  // a serial port name or "Ethernet" (any case)
  CMsgList m_MessageList;              // the message database, in file and display order
  // The serial line settings (see LinkSettings).
  int m_nBaudRate = 9600;
  int m_nDataBits = 8;
  int m_nBinaryMode = 1;
  int m_nParityCheck = 1;
  int m_nStopBits = 0;    // stop bits code: 0 one, 1 one and a half, 2 two
  int m_nParity = 0;      // parity code: 0 none, 1 odd, 2 even, 3 mark, 4 space
  CIPGroup m_SendTarget;  // the addresses an Ethernet send goes to ("New Group", none)
  std::vector<CIPGroup> m_AddressBook;
  // The network option parameter sets, built for Profibus, DeviceNet, Ethernet and Modbus RTU
  // in that order; FindNetworkSet looks one up by its type.
  std::array<CLadDeviceNetwork, 4> m_NetworkSets{
      CLadDeviceNetwork(kNetworkProfibus), CLadDeviceNetwork(kNetworkDeviceNet), CLadDeviceNetwork(kNetworkEthernet),
      CLadDeviceNetwork(kNetworkModbusRtu)};
  int m_nNetworkType = kNetworkEthernet;  // the type the network setup page shows
  // The marquee group and unit that the composer and the network setup page address.
  int m_nGroupNumber = 0;
  int m_nUnitNumber = 0;
  PortLists m_Ports;  // the serial ports found by the last enumeration

  // The parameter set of a network type (1 to 4); null for any other type.
  CLadDeviceNetwork* FindNetworkSet(int networkType);
  // What a send needs: the port, the line settings and a copy of the send target.
  LinkSettings GetLinkSettings() const;
};
