// marquee-sim: a marquee on a pseudo-terminal and/or TCP, for demos and end-to-end tests.

#include <QApplication>
#include <QCoreApplication>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "sim/QuitSignals.h"
#include "sim/SimHost.h"
#include "sim/SimOptions.h"

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

  SimHost host(options);
  if (Status started = host.Start(); !started.ok()) {
    std::cerr << "marquee-sim: " << started.message() << "\n";
    return 1;
  }
  QuitSignals quitSignals([] { QCoreApplication::quit(); });
  QObject::connect(app.get(), &QCoreApplication::aboutToQuit, [&host] { host.Stop(); });
  return app->exec();
}
