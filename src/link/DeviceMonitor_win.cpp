// Built on Windows only: the system broadcasts port arrival and removal to every top-level window.
#include <windows.h>
// dbt.h needs windows.h first
#include <dbt.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include "link/DeviceMonitor.h"

namespace {

class DeviceBroadcastMonitor : public DeviceMonitor, public QAbstractNativeEventFilter {
 public:
  DeviceBroadcastMonitor() { QCoreApplication::instance()->installNativeEventFilter(this); }
  ~DeviceBroadcastMonitor() override {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
  }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    const MSG* msg = static_cast<const MSG*>(message);
    if (eventType != "windows_generic_MSG" || msg->message != WM_DEVICECHANGE) return false;
    if (msg->wParam != DBT_DEVICEARRIVAL && msg->wParam != DBT_DEVICEREMOVECOMPLETE) return false;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(msg->lParam);
    if (header && header->dbch_devicetype == DBT_DEVTYP_PORT) emit devicesChanged();
    return false;
  }
};

}  // namespace

std::unique_ptr<DeviceMonitor> CreateDeviceMonitor() {
  if (!QCoreApplication::instance()) return nullptr;
  return std::make_unique<DeviceBroadcastMonitor>();
}
