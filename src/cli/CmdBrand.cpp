// marquee brand: the brand variant that "version.txt" in the current folder selects,
// read exactly as the program reads it at start-up.

#include <ostream>

#include "app/ProgramLoader.h"
#include "cli/CliCommand.h"

namespace {

constexpr const char* kUsage = "brand  show the brand variant selected by version.txt in the current folder";

int RunBrand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    err << "marquee brand: takes no arguments\nusage: marquee " << kUsage << "\n";
    return kExitUsage;
  }
  CProgramLoader loader;
  const BrandDetails& details = loader.GetDetails();
  out << "key=" << loader.GetKey() << "\nname=" << loader.GetApplicationName() << "\nversion=" << details.version
      << "\ntitle=" << loader.GetWindowTitle() << "\nsettings=" << loader.GetSettingsKeyName()
      << "\ndatabase=" << details.messageDatabaseFile << "\naddressbook=" << details.addressBookFile << "\n";
  return kExitOk;
}

}  // namespace

constinit const CliCommand kBrandCommand{"brand", kUsage, RunBrand};
