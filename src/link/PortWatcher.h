#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

#include "link/PortEnumeration.h"

class DeviceMonitor;

// Reports that the serial ports changed, so the program can list them again and refresh its
// port selectors. Listens to the system's device events where there are any, and also
// compares the port list every poll interval, since containers and some systems send no
// events. A burst of events (one USB adapter brings several) gives one report, a settle time
// after the last; a report comes only when the port list really differs. Needs an event loop.
class PortWatcher : public QObject {
  Q_OBJECT

 public:
  using Lister = std::function<PortLists()>;
  static constexpr std::chrono::milliseconds kPollInterval{2000};
  static constexpr std::chrono::milliseconds kSettleTime{300};

  // Watches the system's ports through EnumeratePorts and the system's device monitor.
  explicit PortWatcher(QObject* parent = nullptr);
  // Watches what lister returns; monitor may be null (polling only).
  PortWatcher(Lister lister, std::unique_ptr<DeviceMonitor> monitor, std::chrono::milliseconds pollInterval,
              std::chrono::milliseconds settleTime, QObject* parent = nullptr);
  ~PortWatcher() override;

 signals:
  // The port list differs from the one at the last report (or at construction).
  void portsChanged();

 private:
  void Poll();
  void Settle();

  Lister m_lister;
  std::unique_ptr<DeviceMonitor> m_monitor;
  PortLists m_known;
  QTimer m_pollTimer;
  QTimer m_settleTimer;
};
