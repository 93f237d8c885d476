#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include "link/DeviceMonitor.h"
#include "link/PortWatcher.h"

namespace {

using namespace std::chrono_literals;

// A watcher over a port list the test changes, with a device monitor the test fires.
struct Watched {
  explicit Watched(std::chrono::milliseconds pollInterval) {
    auto owned = std::make_unique<DeviceMonitor>();
    monitor = owned.get();
    watcher = std::make_unique<PortWatcher>([this] { return lists; }, std::move(owned), pollInterval, 50ms);
  }
  PortLists lists{{"ttyS0"}, {}};
  DeviceMonitor* monitor = nullptr;
  std::unique_ptr<PortWatcher> watcher;
};

constexpr auto kNoPolling = std::chrono::hours(1);

void RunEvents(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Counts the watcher's reports.
struct Reports {
  explicit Reports(PortWatcher& watcher) {
    QObject::connect(&watcher, &PortWatcher::portsChanged, [this] { ++count; });
  }
  // Runs the event loop until a report came, at most ms.
  bool Wait(int ms) {
    QDeadlineTimer deadline(ms);
    while (count == 0 && !deadline.hasExpired()) RunEvents(10);
    return count > 0;
  }
  int count = 0;
};

}  // namespace

TEST(PortWatcher, PollingNoticesAChangeWithoutDeviceEvents) {
  Watched watched(20ms);
  Reports changed(*watched.watcher);
  RunEvents(100);
  EXPECT_EQ(changed.count, 0);
  watched.lists.ports.push_back("ttyUSB0");
  EXPECT_TRUE(changed.Wait(2000));
  RunEvents(150);
  EXPECT_EQ(changed.count, 1) << "one change, one report";
}

TEST(PortWatcher, ABurstOfDeviceEventsGivesOneReport) {
  Watched watched(kNoPolling);
  Reports changed(*watched.watcher);
  watched.lists.friendlyNames.push_back("USB Serial (ttyUSB0)");
  watched.lists.ports.push_back("ttyUSB0");
  for (int i = 0; i < 5; ++i) {
    emit watched.monitor->devicesChanged();
    RunEvents(10);
  }
  EXPECT_TRUE(changed.Wait(2000));
  RunEvents(150);
  EXPECT_EQ(changed.count, 1);
}

TEST(PortWatcher, DeviceEventsWithoutAChangeReportNothing) {
  Watched watched(kNoPolling);
  Reports changed(*watched.watcher);
  emit watched.monitor->devicesChanged();
  RunEvents(200);
  EXPECT_EQ(changed.count, 0);
}

TEST(PortWatcher, ARemovalIsAChangeToo) {
  Watched watched(kNoPolling);
  Reports changed(*watched.watcher);
  watched.lists.ports.clear();
  emit watched.monitor->devicesChanged();
  EXPECT_TRUE(changed.Wait(2000));
}

TEST(PortWatcher, WatchesTheSystemWithoutReportingAtRest) {
  PortWatcher watcher;
  Reports changed(watcher);
  RunEvents(100);
  EXPECT_EQ(changed.count, 0);
}
