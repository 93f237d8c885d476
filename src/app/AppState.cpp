#include "app/AppState.h"

CLadDeviceNetwork* CAppState::FindNetworkSet(int networkType) {
  for (CLadDeviceNetwork& set : m_NetworkSets)
    if (set.m_nNetworkType == networkType) return &set;
  return nullptr;
}

LinkSettings CAppState::GetLinkSettings() const {
  LinkSettings settings;
  settings.portName = m_strPortName;
  settings.baudRate = m_nBaudRate;
  settings.dataBits = m_nDataBits;
  settings.binaryMode = m_nBinaryMode;
  settings.parityCheck = m_nParityCheck;
  settings.stopBitsCode = m_nStopBits;
  settings.parityCode = m_nParity;
  settings.sendTarget = m_SendTarget;
  return settings;
}
