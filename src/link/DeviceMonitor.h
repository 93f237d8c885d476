#pragma once

#include <QObject>
#include <memory>

// Tells when the system adds or removes a serial port device. One file per system provides
// CreateDeviceMonitor (DeviceMonitor_udev.cpp, DeviceMonitor_win.cpp, DeviceMonitor_none.cpp).
class DeviceMonitor : public QObject {
  Q_OBJECT

 signals:
  void devicesChanged();
};

// The system's monitor (a udev monitor on Linux, device broadcasts on Windows); null where
// the system offers none or it cannot be set up. Needs a running event loop to report.
std::unique_ptr<DeviceMonitor> CreateDeviceMonitor();
