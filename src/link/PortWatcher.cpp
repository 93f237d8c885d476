#include "link/PortWatcher.h"

#include "link/DeviceMonitor.h"

PortWatcher::PortWatcher(QObject* parent)
    : PortWatcher(EnumeratePorts, CreateDeviceMonitor(), kPollInterval, kSettleTime, parent) {}

PortWatcher::PortWatcher(Lister lister, std::unique_ptr<DeviceMonitor> monitor, std::chrono::milliseconds pollInterval,
                         std::chrono::milliseconds settleTime, QObject* parent)
    : QObject(parent), m_lister(std::move(lister)), m_monitor(std::move(monitor)), m_known(m_lister()) {
  m_settleTimer.setSingleShot(true);
  m_settleTimer.setInterval(settleTime);
  connect(&m_settleTimer, &QTimer::timeout, this, &PortWatcher::Settle);
  m_pollTimer.setInterval(pollInterval);
  connect(&m_pollTimer, &QTimer::timeout, this, &PortWatcher::Poll);
  m_pollTimer.start();
  if (m_monitor) connect(m_monitor.get(), &DeviceMonitor::devicesChanged, &m_settleTimer, qOverload<>(&QTimer::start));
}

PortWatcher::~PortWatcher() = default;

void PortWatcher::Poll() {
  if (!m_settleTimer.isActive() && m_lister() != m_known) m_settleTimer.start();
}

void PortWatcher::Settle() {
  PortLists current = m_lister();
  if (current == m_known) return;
  m_known = std::move(current);
  emit portsChanged();
}
