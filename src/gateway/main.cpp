// marquee-gateway: drives a fleet of signs for other systems, with durable queues and a send log.

#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "gateway/ConfigFile.h"
#include "gateway/Gateway.h"
#include "sim/QuitSignals.h"

namespace {

constexpr const char* kUsage =
    "usage: marquee-gateway [--config FILE] [--state DIR]\n"
    "  --config FILE  the configuration (default /etc/ferromarquee/gateway.toml)\n"
    "  --state DIR    the folder of the queue and send log database (default /var/lib/ferromarquee)\n";

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  CliOptions options({"--config", "--state"}, {"--help"});
  std::string error;
  if (!options.Parse(args, error) || !options.Positional().empty()) {
    std::cerr << "marquee-gateway: " << (error.empty() ? "unexpected argument" : error) << "\n" << kUsage;
    return 2;
  }
  if (options.Flag("--help")) {
    std::cout << kUsage;
    return 0;
  }

  QCoreApplication app(argc, argv);
  GatewayConfig config;
  if (Status loaded = LoadGatewayConfig(options.Value("--config").value_or(kDefaultConfigPath), config); !loaded.ok()) {
    std::cerr << "marquee-gateway: " << loaded.message() << "\n";
    return 1;
  }
  Gateway gateway(std::move(config), options.Value("--state").value_or(kDefaultStateDir));
  if (Status started = gateway.Start(); !started.ok()) {
    std::cerr << "marquee-gateway: " << started.message() << "\n";
    return 1;
  }
  QuitSignals quitSignals([&gateway] { gateway.Shutdown([] { QCoreApplication::quit(); }); });
  return app.exec();
}
