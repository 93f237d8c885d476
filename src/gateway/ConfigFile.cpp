#include "gateway/ConfigFile.h"

#include <toml++/toml.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <limits>
#include <map>
#include <set>
#include <sstream>

#include "addressbook/AddressBookFile.h"
#include "addressbook/IPEntry.h"
#include "common/FileIO.h"
#include "preview/MarqueeModels.h"

namespace {

// A config error on its way out: the first one ends the reading.
struct ConfigError {
  std::string message;
};

class ConfigReader {
 public:
  explicit ConfigReader(std::string path) : m_path(std::move(path)) {}

  [[noreturn]] void Fail(const toml::node& at, const std::string& message) const {
    throw ConfigError{Where(at.source()) + message};
  }
  std::string Where(const toml::source_region& region) const {
    std::ostringstream out;
    out << m_path << ":" << region.begin.line << ": ";
    return out.str();
  }

  // Refuses any key of table that is not in known; section names the table in the message.
  void CheckKeys(const toml::table& table, std::initializer_list<std::string_view> known,
                 std::string_view section) const {
    for (const auto& [key, value] : table) {
      bool found = false;
      for (std::string_view k : known) found = found || key.str() == k;
      if (!found) {
        std::string message = "unknown key \"" + std::string(key.str()) + "\"";
        if (!section.empty()) message += " in " + std::string(section);
        throw ConfigError{Where(key.source()) + message};
      }
    }
  }

  std::string String(const toml::node& node, std::string_view key) const {
    const auto* value = node.as_string();
    if (value == nullptr) Fail(node, std::string(key) + " must be a string");
    return value->get();
  }
  bool Bool(const toml::node& node, std::string_view key) const {
    const auto* value = node.as_boolean();
    if (value == nullptr) Fail(node, std::string(key) + " must be true or false");
    return value->get();
  }
  int64_t Integer(const toml::node& node, std::string_view key, int64_t low, int64_t high) const {
    const auto* value = node.as_integer();
    if (value == nullptr) Fail(node, std::string(key) + " must be an integer");
    if (value->get() < low || value->get() > high)
      Fail(node, std::string(key) + " must be from " + std::to_string(low) + " to " + std::to_string(high));
    return value->get();
  }
  int Int(const toml::node& node, std::string_view key, int low, int high) const {
    return static_cast<int>(Integer(node, key, low, high));
  }
  std::vector<std::string> Strings(const toml::node& node, std::string_view key) const {
    const auto* array = node.as_array();
    if (array == nullptr) Fail(node, std::string(key) + " must be an array of strings");
    std::vector<std::string> out;
    for (const toml::node& item : *array) out.push_back(String(item, key));
    return out;
  }
  const toml::table& Table(const toml::node& node, std::string_view key) const {
    const auto* table = node.as_table();
    if (table == nullptr) Fail(node, std::string(key) + " must be a table");
    return *table;
  }

 private:
  std::string m_path;
};

// Names and tags appear in URLs and topics: keep them to plain characters.
bool IsPlainName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name) {
    const bool plain =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
    if (!plain) return false;
  }
  return true;
}

SignConfig ReadSign(const ConfigReader& reader, const toml::table& table) {
  reader.CheckKeys(table, {"name", "tcp", "serial", "baud", "group", "unit", "model", "tags"}, "[[signs]]");
  SignConfig sign;
  const toml::node* name = table.get("name");
  if (name == nullptr) reader.Fail(table, "a sign needs a name");
  sign.name = reader.String(*name, "name");
  if (!IsPlainName(sign.name))
    reader.Fail(*name, "name \"" + sign.name + "\" must be 1 to 64 letters, digits, '-', '_' or '.'");

  const toml::node* tcp = table.get("tcp");
  const toml::node* serial = table.get("serial");
  if ((tcp == nullptr) == (serial == nullptr))
    reader.Fail(table, "sign \"" + sign.name + "\" needs exactly one of tcp and serial");
  if (tcp != nullptr) {
    sign.transport = SignTransport::kTcp;
    std::string text = reader.String(*tcp, "tcp");
    const size_t colon = text.find(':');
    if (colon != std::string::npos) {
      const std::string port = text.substr(colon + 1);
      char* end = nullptr;
      const long value = std::strtol(port.c_str(), &end, 10);
      if (port.empty() || *end != '\0' || value < 1 || value > 65535)
        reader.Fail(*tcp, "tcp port in \"" + text + "\" must be from 1 to 65535");
      sign.tcpPort = static_cast<uint16_t>(value);
      text.resize(colon);
    }
    if (!ParseDottedAddress(text)) reader.Fail(*tcp, "tcp \"" + text + "\" is not a dotted IPv4 address");
    sign.tcpAddress = text;
    if (table.get("baud") != nullptr) reader.Fail(*table.get("baud"), "baud applies to serial signs only");
  } else {
    sign.transport = SignTransport::kSerial;
    sign.serialPort = reader.String(*serial, "serial");
    if (sign.serialPort.empty()) reader.Fail(*serial, "serial must name a port");
    if (const toml::node* baud = table.get("baud")) {
      sign.baud = reader.Int(*baud, "baud", 0, std::numeric_limits<int>::max());
      if (sign.baud != 9600 && sign.baud != 38400) reader.Fail(*baud, "baud must be 9600 or 38400");
    }
  }
  if (const toml::node* group = table.get("group")) sign.group = reader.Int(*group, "group", 0, 99);
  if (const toml::node* unit = table.get("unit")) sign.unit = reader.Int(*unit, "unit", 0, 9999);
  if (const toml::node* model = table.get("model")) sign.model = reader.Int(*model, "model", 0, kMarqueeModelCount - 1);
  if (const toml::node* tags = table.get("tags")) {
    sign.tags = reader.Strings(*tags, "tags");
    for (const std::string& tag : sign.tags)
      if (!IsPlainName(tag)) reader.Fail(*tags, "tag \"" + tag + "\" must be 1 to 64 letters, digits, '-', '_' or '.'");
  }
  return sign;
}

void ReadQueue(const ConfigReader& reader, const toml::table& table, QueueConfig& queue) {
  reader.CheckKeys(table,
                   {"retry_attempts", "max_age_seconds", "backoff_initial_ms", "backoff_max_ms", "max_parallel",
                    "supersede", "shutdown_grace_seconds"},
                   "[queue]");
  constexpr int kMonth = 30 * 24 * 3600;
  if (const toml::node* n = table.get("retry_attempts"))
    queue.retryAttempts = reader.Int(*n, "retry_attempts", 1, 1000);
  if (const toml::node* n = table.get("max_age_seconds"))
    queue.maxAgeSeconds = reader.Int(*n, "max_age_seconds", 1, kMonth);
  if (const toml::node* n = table.get("backoff_initial_ms"))
    queue.backoffInitialMs = reader.Int(*n, "backoff_initial_ms", 1, 3600000);
  if (const toml::node* n = table.get("backoff_max_ms"))
    queue.backoffMaxMs = reader.Int(*n, "backoff_max_ms", 1, 3600000);
  if (queue.backoffMaxMs < queue.backoffInitialMs)
    reader.Fail(table, "backoff_max_ms must not be below backoff_initial_ms");
  if (const toml::node* n = table.get("max_parallel")) queue.maxParallel = reader.Int(*n, "max_parallel", 1, 1024);
  if (const toml::node* n = table.get("supersede")) queue.supersede = reader.Bool(*n, "supersede");
  if (const toml::node* n = table.get("shutdown_grace_seconds"))
    queue.shutdownGraceSeconds = reader.Int(*n, "shutdown_grace_seconds", 0, 600);
}

void ReadLog(const ConfigReader& reader, const toml::table& table, LogConfig& log) {
  reader.CheckKeys(table, {"retention_days", "max_rows"}, "[log]");
  if (const toml::node* n = table.get("retention_days")) log.retentionDays = reader.Int(*n, "retention_days", 1, 3650);
  if (const toml::node* n = table.get("max_rows")) log.maxRows = reader.Integer(*n, "max_rows", 100, 1000000000);
}

void ReadHttp(const ConfigReader& reader, const toml::table& table, HttpConfig& http) {
  reader.CheckKeys(table, {"listen", "token", "cors", "max_body_bytes"}, "[http]");
  if (const toml::node* n = table.get("listen")) {
    http.listen = reader.String(*n, "listen");
    const size_t colon = http.listen.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == http.listen.size())
      reader.Fail(*n, "listen must be HOST:PORT");
  }
  if (const toml::node* n = table.get("token")) http.token = reader.String(*n, "token");
  if (const toml::node* n = table.get("cors")) http.cors = reader.Strings(*n, "cors");
  if (const toml::node* n = table.get("max_body_bytes"))
    http.maxBodyBytes = reader.Integer(*n, "max_body_bytes", 1024, 64 * 1024 * 1024);
}

void ReadMqtt(const ConfigReader& reader, const toml::table& table, MqttConfig& mqtt) {
  reader.CheckKeys(table,
                   {"host", "port", "client_id", "username", "password", "ca_file", "cert_file", "key_file", "prefix",
                    "qos", "discovery", "discovery_prefix"},
                   "[mqtt]");
  mqtt.enabled = true;
  auto topicLevels = [&](const toml::node& n, std::string_view key, bool single) {
    std::string text = reader.String(n, key);
    const bool bad = text.empty() || text.find_first_of("+#") != std::string::npos ||
                     (single && text.find('/') != std::string::npos) || text.front() == '/' || text.back() == '/';
    if (bad)
      reader.Fail(n, std::string(key) + " \"" + text + "\" must be topic levels without '+', '#' or an empty level");
    return text;
  };
  if (const toml::node* n = table.get("host")) mqtt.host = reader.String(*n, "host");
  if (const toml::node* n = table.get("port")) mqtt.port = static_cast<uint16_t>(reader.Int(*n, "port", 1, 65535));
  if (const toml::node* n = table.get("client_id")) mqtt.clientId = topicLevels(*n, "client_id", true);
  if (const toml::node* n = table.get("username")) mqtt.username = reader.String(*n, "username");
  if (const toml::node* n = table.get("password")) mqtt.password = reader.String(*n, "password");
  if (const toml::node* n = table.get("ca_file")) mqtt.caFile = reader.String(*n, "ca_file");
  if (const toml::node* n = table.get("cert_file")) mqtt.certFile = reader.String(*n, "cert_file");
  if (const toml::node* n = table.get("key_file")) mqtt.keyFile = reader.String(*n, "key_file");
  if (mqtt.certFile.empty() != mqtt.keyFile.empty()) reader.Fail(table, "cert_file and key_file go together");
  if (!mqtt.certFile.empty() && mqtt.caFile.empty()) reader.Fail(table, "a client certificate needs ca_file (TLS)");
  if (const toml::node* n = table.get("prefix")) mqtt.prefix = topicLevels(*n, "prefix", false);
  if (const toml::node* n = table.get("qos")) mqtt.qos = reader.Int(*n, "qos", 0, 1);
  if (const toml::node* n = table.get("discovery")) mqtt.discovery = reader.Bool(*n, "discovery");
  if (const toml::node* n = table.get("discovery_prefix"))
    mqtt.discoveryPrefix = topicLevels(*n, "discovery_prefix", false);
}

void ReadLive(const ConfigReader& reader, const toml::table& table, LiveConfig& live) {
  reader.CheckKeys(table, {"refresh_interval_ms"}, "[live]");
  if (const toml::node* n = table.get("refresh_interval_ms"))
    live.refreshIntervalMs = reader.Int(*n, "refresh_interval_ms", 100, 3600000);
}

// [[schedules]]: id, signs or tag, days ("mon-fri"), from and to ("06:00"), priority, and
// the message as an inline table in the JSON form of a posted message.
ScheduleEntry ReadSchedule(const ConfigReader& reader, const toml::table& table) {
  reader.CheckKeys(table, {"id", "signs", "tag", "days", "from", "to", "priority", "message"}, "[[schedules]]");
  ScheduleEntry entry;
  auto need = [&](const char* key) -> const toml::node& {
    const toml::node* n = table.get(key);
    if (n == nullptr) reader.Fail(table, std::string("a schedule needs ") + key);
    return *n;
  };
  entry.id = reader.String(need("id"), "id");
  if (const toml::node* n = table.get("signs")) entry.signs = reader.Strings(*n, "signs");
  if (const toml::node* n = table.get("tag")) entry.tag = reader.String(*n, "tag");
  if (const toml::node* n = table.get("days")) {
    if (Status s = ParseDays(reader.String(*n, "days"), entry.days); !s.ok()) reader.Fail(*n, s.message());
  }
  for (const char* key : {"from", "to"}) {
    const toml::node& n = need(key);
    int& minutes = std::string_view(key) == "from" ? entry.startMinute : entry.endMinute;
    if (Status s = ParseTimeOfDay(reader.String(n, key), minutes); !s.ok()) reader.Fail(n, s.message());
  }
  if (const toml::node* n = table.get("priority")) entry.priority = reader.Int(*n, "priority", 0, 1000);
  std::ostringstream json;
  json << toml::json_formatter{reader.Table(need("message"), "message")};
  entry.message = json.str();
  if (Status s = CheckScheduleEntry(entry); !s.ok()) reader.Fail(table, s.message());
  return entry;
}

// Each address book entry is a sign named after the entry; an entry with several members
// (a group) gives one sign per member, named ENTRY-N and tagged with the entry's name.
Status AddBookSigns(const std::string& bookPath, std::vector<SignConfig>& signs) {
  AddressBookLoad load = LoadAddressBook(bookPath);
  if (load.outcome == DataFileLoadOutcome::Missing) return Status::OsFailure(bookPath + ": no such address book");
  if (!load.status.ok()) return Status::BadInput(bookPath + ": " + load.status.message());
  for (const CIPGroup& entry : load.entries) {
    const std::string origin = bookPath + ": entry " + entry.m_strName;
    if (!IsPlainName(entry.m_strName))
      return Status::BadInput(origin + ": the name must be 1 to 64 letters, digits, '-', '_' or '.'");
    for (size_t i = 0; i < entry.m_Members.size(); ++i) {
      SignConfig sign;
      sign.name = entry.m_Members.size() == 1 ? entry.m_strName : entry.m_strName + "-" + std::to_string(i + 1);
      sign.tcpAddress = FormatIPAddress(entry.m_Members[i].m_Address);
      if (entry.m_Members.size() > 1) sign.tags.push_back(entry.m_strName);
      sign.origin = origin;
      signs.push_back(std::move(sign));
    }
  }
  return {};
}

}  // namespace

Status ParseGatewayConfig(std::string_view text, const std::string& path, GatewayConfig& config) {
  GatewayConfig read;
  read.path = path;
  const ConfigReader reader(path);
  std::map<std::string, std::string> origins;  // sign name -> where it was defined
  try {
    toml::table root = toml::parse(text, path);
    reader.CheckKeys(root, {"address_book", "signs", "queue", "log", "http", "mqtt", "live", "schedules"}, "");
    if (const toml::node* signs = root.get("signs")) {
      const auto* array = signs->as_array();
      if (array == nullptr) reader.Fail(*signs, "signs must be an array of tables ([[signs]])");
      for (const toml::node& item : *array) {
        SignConfig sign = ReadSign(reader, reader.Table(item, "signs"));
        sign.origin = path + ":" + std::to_string(item.source().begin.line);
        if (auto [at, fresh] = origins.emplace(sign.name, sign.origin); !fresh)
          reader.Fail(item, "sign \"" + sign.name + "\" is already defined at " + at->second);
        read.signs.push_back(std::move(sign));
      }
    }
    if (const toml::node* n = root.get("queue")) ReadQueue(reader, reader.Table(*n, "queue"), read.queue);
    if (const toml::node* n = root.get("log")) ReadLog(reader, reader.Table(*n, "log"), read.log);
    if (const toml::node* n = root.get("http")) ReadHttp(reader, reader.Table(*n, "http"), read.http);
    if (const toml::node* n = root.get("mqtt")) ReadMqtt(reader, reader.Table(*n, "mqtt"), read.mqtt);
    if (const toml::node* n = root.get("live")) ReadLive(reader, reader.Table(*n, "live"), read.live);
    if (const toml::node* schedules = root.get("schedules")) {
      const auto* array = schedules->as_array();
      if (array == nullptr) reader.Fail(*schedules, "schedules must be an array of tables ([[schedules]])");
      for (const toml::node& item : *array)
        read.live.schedules.push_back(ReadSchedule(reader, reader.Table(item, "schedules")));
    }
    if (const toml::node* n = root.get("address_book")) {
      const std::filesystem::path book = reader.String(*n, "address_book");
      read.addressBook =
          book.is_absolute() ? book.string() : (std::filesystem::path(path).parent_path() / book).string();
      const size_t before = read.signs.size();
      if (Status added = AddBookSigns(read.addressBook, read.signs); !added.ok())
        return Status::BadInput(reader.Where(n->source()) + added.message());
      for (size_t i = before; i < read.signs.size(); ++i)
        if (auto [at, fresh] = origins.emplace(read.signs[i].name, read.signs[i].origin); !fresh)
          return Status::BadInput(reader.Where(n->source()) + "sign \"" + read.signs[i].name +
                                  "\" of the address book is already defined at " + at->second);
    }
  } catch (const toml::parse_error& e) {
    return Status::BadInput(reader.Where(e.source()) + std::string(e.description()));
  } catch (const ConfigError& e) {
    return Status::BadInput(e.message);
  }
  config = std::move(read);
  return {};
}

Status LoadGatewayConfig(const std::string& path, GatewayConfig& config) {
  FileContents file = ReadWholeFile(path, 16u * 1024u * 1024u);
  if (file.missing) return Status::OsFailure(path + ": no such file");
  if (!file.status.ok()) return Status::OsFailure(path + ": " + file.status.message());
  return ParseGatewayConfig(file.bytes, path, config);
}
