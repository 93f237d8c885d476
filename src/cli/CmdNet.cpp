// marquee net: the network option card strings of one parameter set, built from its
// defaults with the given fields changed.

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "common/Text.h"
#include "netsetup/LadDeviceNetwork.h"

namespace {

constexpr const char* kUsage =
    "net TYPE [options]  network card strings (TYPE 1-4 or ethernet, devicenet, profibus, modbus; net --help)";

constexpr const char* kHelp =

    "Prints the programming string of network card TYPE (1 ethernet, 2 devicenet, 3 profibus, 4 modbus),\n"
    "starting from its default values. Values are sent as given.\n"
    "  --group N, --unit N      marquee address (0-99, 0-9999; default 0)\n"
    "  --no-address             leave out the address prefix\n"
    "  ethernet:   --ip A.B.C.D --mask A.B.C.D --gateway A.B.C.D --protocol N (0 none, 1 Ethernet/IP,\n"
    "              2 Modbus TCP) --input-size N --unit-id N --byte-order N\n"
    "              --parts LIST (comma-separated address,unit,byteorder; default all)\n"
    "  devicenet:  --node N --baud-index N (0 125, 1 250, 2 500 kb/s) --consumed N --produced N --byte-order N\n"
    "  profibus:   --node N --consumed N --produced N --byte-order N\n"
    "  modbus:     --rtu-unit N --wiring N (0 RS232, 1 RS422, 2 RS485) --rtu-byte-order N\n"
    "Instead of the programming string:\n"
    "  --defaults-string        the string that returns the card to its defaults\n"
    "  --disable-string         the string that disables the card's network\n"
    "  --notice TEXT            a message showing TEXT on the marquee\n"
    "  --replace                with --notice: characters without a Windows-1252 byte become \"?\"\n"
    "  --json                   print {\"string\": ...}\n"
    "Options of another card type, and field options or --no-address with the three strings above, are errors.\n";

struct IntField {
  const char* option;
  int32_t CLadDeviceNetwork::*field;
};
constexpr IntField kIntFields[] = {
    {"--protocol", &CLadDeviceNetwork::m_nProtocol},     {"--input-size", &CLadDeviceNetwork::m_nInputSize},
    {"--unit-id", &CLadDeviceNetwork::m_nUnitId},        {"--byte-order", &CLadDeviceNetwork::m_nByteOrder},
    {"--node", &CLadDeviceNetwork::m_nNodeAddress},      {"--consumed", &CLadDeviceNetwork::m_nConsumedSize},
    {"--produced", &CLadDeviceNetwork::m_nProducedSize},
};

struct ByteField {
  const char* option;
  uint8_t CLadDeviceNetwork::*field;
};
constexpr ByteField kByteFields[] = {
    {"--baud-index", &CLadDeviceNetwork::m_nBaudIndex},
    {"--rtu-unit", &CLadDeviceNetwork::m_nRtuUnitId},
    {"--wiring", &CLadDeviceNetwork::m_nRtuWiring},
    {"--rtu-byte-order", &CLadDeviceNetwork::m_nRtuByteOrder},
};

struct AddressField {
  const char* option;
  IPAddress CLadDeviceNetwork::*field;
};
constexpr AddressField kAddressFields[] = {
    {"--ip", &CLadDeviceNetwork::m_IPAddress},
    {"--mask", &CLadDeviceNetwork::m_SubnetMask},
    {"--gateway", &CLadDeviceNetwork::m_Gateway},
};

struct Part {
  const char* name;
  bool CLadDeviceNetwork::*flag;
};
constexpr Part kParts[] = {
    {"address", &CLadDeviceNetwork::m_bSendAddress},
    {"unit", &CLadDeviceNetwork::m_bSendUnit},
    {"byteorder", &CLadDeviceNetwork::m_bSendByteOrder},
};

constexpr std::pair<const char*, int32_t> kTypeNames[] = {
    {"ethernet", kNetworkEthernet},
    {"devicenet", kNetworkDeviceNet},
    {"profibus", kNetworkProfibus},
    {"modbus", kNetworkModbusRtu},
};

bool ParseType(const std::string& text, int32_t& type) {
  for (const auto& [name, value] : kTypeNames)
    if (EqualsNoCase(text, name) || text == std::to_string(value)) {
      type = value;
      return true;
    }
  return false;
}

bool IntInRange(const CliOptions& options, std::string_view name, int low, int high, int& value, std::string& error) {
  if (!options.Int(name, value, error)) return false;
  if (value >= low && value <= high) return true;
  error = Format("option %.*s must lie in %d to %d", static_cast<int>(name.size()), name.data(), low, high);
  return false;
}

// Sets the three Ethernet part flags to exactly the parts named in list.
bool ApplyParts(const std::string& list, CLadDeviceNetwork& network, std::string& error) {
  for (const Part& part : kParts) network.*part.flag = false;
  std::istringstream items(list);
  std::string item;
  while (std::getline(items, item, ',')) {
    const Part* found = nullptr;
    for (const Part& part : kParts)
      if (EqualsNoCase(item, part.name)) found = &part;
    if (!found) {
      error = "unknown part '" + item + "' in --parts (use address, unit, byteorder)";
      return false;
    }
    network.*found->flag = true;
  }
  return true;
}

bool ApplyFields(const CliOptions& options, CLadDeviceNetwork& network, std::string& error) {
  for (const IntField& field : kIntFields) {
    int value = network.*field.field;
    if (!options.Int(field.option, value, error)) return false;
    network.*field.field = value;
  }
  for (const ByteField& field : kByteFields) {
    int value = network.*field.field;
    if (!IntInRange(options, field.option, 0, 255, value, error)) return false;
    network.*field.field = static_cast<uint8_t>(value);
  }
  for (const AddressField& field : kAddressFields) {
    auto text = options.Value(field.option);
    if (!text) continue;
    auto address = ParseDottedAddress(*text);
    if (!address) {
      error = "option " + std::string(field.option) + " needs an address like 192.168.0.10, got '" + *text + "'";
      return false;
    }
    network.*field.field = *address;
  }
  if (auto parts = options.Value("--parts")) return ApplyParts(*parts, network, error);
  return true;
}

// The card fields each option sets, by the types that have them; the three other
// strings carry no fields and never leave out the address.
struct TypedOption {
  const char* option;
  std::initializer_list<int32_t> types;
};
const TypedOption kTypedOptions[] = {
    {"--ip", {kNetworkEthernet}},
    {"--mask", {kNetworkEthernet}},
    {"--gateway", {kNetworkEthernet}},
    {"--protocol", {kNetworkEthernet}},
    {"--input-size", {kNetworkEthernet}},
    {"--unit-id", {kNetworkEthernet}},
    {"--parts", {kNetworkEthernet}},
    {"--byte-order", {kNetworkEthernet, kNetworkDeviceNet, kNetworkProfibus}},
    {"--node", {kNetworkDeviceNet, kNetworkProfibus}},
    {"--consumed", {kNetworkDeviceNet, kNetworkProfibus}},
    {"--produced", {kNetworkDeviceNet, kNetworkProfibus}},
    {"--baud-index", {kNetworkDeviceNet}},
    {"--rtu-unit", {kNetworkModbusRtu}},
    {"--wiring", {kNetworkModbusRtu}},
    {"--rtu-byte-order", {kNetworkModbusRtu}},
};

bool OptionsApply(const CliOptions& options, int32_t type, bool otherString, std::string& error) {
  if (otherString && options.Flag("--no-address")) {
    error = "--no-address applies to the programming string only";
    return false;
  }
  for (const TypedOption& typed : kTypedOptions) {
    if (!options.Has(typed.option)) continue;
    bool applies = std::find(typed.types.begin(), typed.types.end(), type) != typed.types.end();
    if (otherString || !applies) {
      error = std::string(typed.option) +
              (otherString ? " does not apply to this string" : " does not apply to card type " + std::to_string(type));
      return false;
    }
  }
  return true;
}

int RunNet(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options({"--group", "--unit", "--ip", "--mask", "--gateway", "--protocol", "--input-size", "--unit-id",
                      "--byte-order", "--parts", "--node", "--baud-index", "--consumed", "--produced", "--rtu-unit",
                      "--wiring", "--rtu-byte-order", "--notice"},
                     {"--no-address", "--defaults-string", "--disable-string", "--json", "--replace"});
  std::string error;
  auto usage = [&](const std::string& problem) {
    err << "marquee net: " << problem << "\nusage: marquee " << kUsage << "\n";
    return kExitUsage;
  };
  if (!options.Parse(args, error)) return usage(error);
  int32_t type = 0;
  if (options.Positional().size() != 1) return usage("give exactly one TYPE");
  if (!ParseType(options.Positional()[0], type)) return usage("unknown TYPE '" + options.Positional()[0] + "'");
  int group = 0;
  int unit = 0;
  if (!IntInRange(options, "--group", 0, 99, group, error) || !IntInRange(options, "--unit", 0, 9999, unit, error))
    return usage(error);
  int modes = options.Flag("--defaults-string") + options.Flag("--disable-string") + options.Has("--notice");
  if (modes > 1) return usage("--defaults-string, --disable-string and --notice exclude each other");
  if (options.Flag("--replace") && !options.Has("--notice")) return usage("--replace applies to --notice only");

  if (!OptionsApply(options, type, modes > 0, error)) return usage(error);

  CLadDeviceNetwork network(type);
  if (!ApplyFields(options, network, error)) return usage(error);

  std::string text;
  if (options.Flag("--defaults-string"))
    text = network.MakeDefaultsString(group, unit);
  else if (options.Flag("--disable-string"))
    text = network.MakeDisableString(group, unit);
  else if (auto notice = options.Value("--notice")) {
    std::string bytes;
    if (!ArgumentBytes(*notice, "--notice", ReplaceMode(options), bytes, error)) {
      err << "marquee net: " << error << "\n";
      return kExitFailure;
    }
    text = network.MakeNoticeString(bytes, group, unit);
  } else
    text = network.MakeProgramString(!options.Flag("--no-address"), group, unit);
  if (options.Flag("--json"))
    PrintJson(out, {{"string", CodePageToUtf8(text)}});
  else
    out << CodePageToUtf8(text) << '\n';
  return kExitOk;
}

}  // namespace

constinit const CliCommand kNetCommand{"net", kUsage, RunNet, kHelp};
