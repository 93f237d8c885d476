// marquee-sim: a marquee on a pseudo-terminal and/or TCP, for demos and end-to-end tests.

#include <QApplication>
#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "sim/QuitSignals.h"
#include "sim/SimHost.h"
#include "sim/SimOptions.h"

namespace {

// A fleet in one process: one marquee per address of the range, one shared log.
int RunRange(QCoreApplication& app, const SimOptions& options) {
  std::FILE* log = stderr;
  if (!options.logPath.empty() && !(log = std::fopen(options.logPath.c_str(), "a"))) {
    std::cerr << "marquee-sim: cannot open the log " << options.logPath << ": " << std::strerror(errno) << "\n";
    return 1;
  }
  // The hosts flush the shared log on a timer, not per line.
  std::setvbuf(log, nullptr, _IOFBF, 64 * 1024);
  std::vector<std::unique_ptr<SimHost>> hosts;
  for (const std::string& address : options.tcpRange) {
    SimOptions one = options;
    one.tcpRange.clear();
    one.tcpAddress = address;
    hosts.push_back(std::make_unique<SimHost>(one, log, address));
    if (Status started = hosts.back()->Start(); !started.ok()) {
      std::cerr << "marquee-sim: " << started.message() << "\n";
      return 1;
    }
  }
  QuitSignals quitSignals([] { QCoreApplication::quit(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [&hosts] {
    for (auto& host : hosts) host->Stop();
  });
  const int status = app.exec();
  hosts.clear();
  if (log != stderr) std::fclose(log);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  SimOptions options;
  std::string error;
  if (!ParseSimOptions(args, options, error)) {
    std::cerr << "marquee-sim: " << error << "\n" << kSimUsage;
    return 2;
  }
  if (options.help) {
    std::cout << kSimUsage;
    return 0;
  }

  std::unique_ptr<QCoreApplication> app;
  if (options.display == SimDisplayKind::kWindow)
    app = std::make_unique<QApplication>(argc, argv);
  else
    app = std::make_unique<QCoreApplication>(argc, argv);

  if (!options.tcpRange.empty()) return RunRange(*app, options);
  SimHost host(options);
  if (Status started = host.Start(); !started.ok()) {
    std::cerr << "marquee-sim: " << started.message() << "\n";
    return 1;
  }
  QuitSignals quitSignals([] { QCoreApplication::quit(); });
  QObject::connect(app.get(), &QCoreApplication::aboutToQuit, [&host] { host.Stop(); });
  return app->exec();
}
