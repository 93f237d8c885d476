#include <libudev.h>

#include <QSocketNotifier>
#include <cstring>

#include "link/DeviceMonitor.h"

namespace {

// Port devices arrive and leave in the "tty" subsystem. Where no udev daemon runs (containers)
// the monitor opens fine but never fires; the port watcher's polling covers that.
class UdevDeviceMonitor : public DeviceMonitor {
 public:
  UdevDeviceMonitor(udev* context, udev_monitor* monitor)
      : m_context(context), m_monitor(monitor), m_notifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read) {
    connect(&m_notifier, &QSocketNotifier::activated, this, &UdevDeviceMonitor::Drain);
  }
  ~UdevDeviceMonitor() override {
    udev_monitor_unref(m_monitor);
    udev_unref(m_context);
  }

 private:
  void Drain() {
    bool changed = false;
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
      const char* action = udev_device_get_action(device);
      if (action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0)) changed = true;
      udev_device_unref(device);
    }
    if (changed) emit devicesChanged();
  }

  udev* m_context;
  udev_monitor* m_monitor;
  QSocketNotifier m_notifier;
};

}  // namespace

std::unique_ptr<DeviceMonitor> CreateDeviceMonitor() {
  udev* context = udev_new();
  if (!context) return nullptr;
  udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
  if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor) < 0) {
    if (monitor) udev_monitor_unref(monitor);
    udev_unref(context);
    return nullptr;
  }
  return std::make_unique<UdevDeviceMonitor>(context, monitor);
}
