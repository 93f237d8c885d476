// The engine as a program for the tests that stop it the hard way: starts a gateway on
// CONFIG and STATE, submits each BODY to SIGN, and once the disk has them prints "accepted
// ID" or "refused ERROR" for each and "running"; runs until SIGTERM, which shuts it down as marquee-gateway does.
//   gateway_runner CONFIG STATE [SIGN BODY]...

#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "gateway/ConfigFile.h"
#include "gateway/Gateway.h"
#include "sim/QuitSignals.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 == 0) return 2;
  QCoreApplication app(argc, argv);
  GatewayConfig config;
  if (Status loaded = LoadGatewayConfig(argv[1], config); !loaded.ok()) {
    std::printf("config %s\n", loaded.message().c_str());
    return 1;
  }
  Gateway gateway(std::move(config), argv[2]);
  if (Status started = gateway.Start(); !started.ok()) {
    std::printf("start %s\n", started.message().c_str());
    return 1;
  }
  QuitSignals quitSignals([&gateway] { gateway.Shutdown([] { QCoreApplication::quit(); }); });
  std::string lines;
  for (int i = 3; i + 1 < argc; i += 2) {
    SubmitResult result = gateway.Submit({SubmitTarget::Kind::kSign, argv[i]}, argv[i + 1], "test");
    lines += result.ok() ? "accepted " + result.accepted.front().id + "\n" : "refused " + result.error->error + "\n";
  }
  // Accepted as the HTTP side accepts: once the disk has it.
  gateway.WhenStored([&lines](const Status& stored) {
    std::printf("%s%s\n", lines.c_str(), stored.ok() ? "running" : ("store " + stored.message()).c_str());
    std::fflush(stdout);
  });
  const int status = app.exec();
  std::printf("stopped\n");
  return status;
}
