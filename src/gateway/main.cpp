// marquee-gateway: drives a fleet of signs for other systems, with durable queues and a send log.

#include <QCoreApplication>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "gateway/ConfigFile.h"
#include "gateway/Gateway.h"
#include "gateway/HttpServer.h"
#include "gateway/LiveSigns.h"
#include "gateway/MqttBridge.h"
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
  const std::string stateDir = options.Value("--state").value_or(kDefaultStateDir);
  LiveConfig liveConfig = config.live;
  Gateway gateway(std::move(config), stateDir);
  LiveSigns live(gateway, liveConfig.schedules, liveConfig.refreshIntervalMs);
  std::unique_ptr<MqttBridge> mqtt;
  if (gateway.config().mqtt.enabled) mqtt = std::make_unique<MqttBridge>(gateway, live, gateway.config().mqtt);
  for (Status started : {gateway.Start(), live.Start(stateDir), mqtt ? mqtt->Start() : Status()}) {
    if (!started.ok()) {
      std::cerr << "marquee-gateway: " << started.message() << "\n";
      return 1;
    }
  }
  GatewayHttpServer http(gateway, live);
  if (Status listening = http.Listen(); !listening.ok()) {
    std::cerr << "marquee-gateway: " << listening.message() << "\n";
    return 1;
  }
  // Tests and scripts read the port from this line when the config asks for port 0.
  const std::string& listen = gateway.config().http.listen;
  std::cerr << "marquee-gateway: listening on http://" << listen.substr(0, listen.rfind(':')) << ':' << http.port()
            << "/\n";
  QuitSignals quitSignals([&] {
    if (mqtt) mqtt->Stop();
    gateway.Shutdown([] { QCoreApplication::quit(); });
  });
  return app.exec();
}
