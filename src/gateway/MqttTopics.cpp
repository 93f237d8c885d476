#include "gateway/MqttTopics.h"

#include <nlohmann/json.hpp>

#include "common/CodePage.h"

namespace {

constexpr std::string_view kMessageSet = "/message/set";

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The NAME of PREFIX/SECTION/NAME/LEAF, or nothing.
std::optional<std::string> NameBetween(std::string_view rest, std::string_view section, std::string_view leaf) {
  if (!StartsWith(rest, section) || !EndsWith(rest, leaf) || rest.size() <= section.size() + leaf.size()) {
    return std::nullopt;
  }
  std::string_view name = rest.substr(section.size(), rest.size() - section.size() - leaf.size());
  if (!IsTopicLevel(name)) return std::nullopt;
  return std::string(name);
}

}  // namespace

bool IsTopicLevel(std::string_view name) {
  return !name.empty() && name.find_first_of(std::string_view("/+#\0", 4)) == std::string_view::npos;
}

std::optional<MqttInTopic> ParseInTopic(std::string_view prefix, std::string_view topic) {
  if (!StartsWith(topic, prefix) || topic.size() <= prefix.size() || topic[prefix.size()] != '/') {
    return std::nullopt;
  }
  std::string_view rest = topic.substr(prefix.size() + 1);
  struct Form {
    std::string_view section;
    std::string_view leaf;
    MqttInTopic::Kind kind;
  };
  static constexpr Form kForms[] = {
      {"signs/", kMessageSet, MqttInTopic::Kind::kSignMessage},
      {"tags/", kMessageSet, MqttInTopic::Kind::kTagMessage},
      {"vars/", "/set", MqttInTopic::Kind::kVariable},
      {"signs/", "/owner", MqttInTopic::Kind::kOwner},
      {"gateways/", "/status", MqttInTopic::Kind::kGatewayStatus},
  };
  for (const Form& form : kForms) {
    if (std::optional<std::string> name = NameBetween(rest, form.section, form.leaf)) {
      return MqttInTopic{form.kind, std::move(*name)};
    }
  }
  return std::nullopt;
}

std::string SignTopic(std::string_view prefix, std::string_view sign, std::string_view leaf) {
  return std::string(prefix) + "/signs/" + std::string(sign) + "/" + std::string(leaf);
}

std::string TagTopic(std::string_view prefix, std::string_view tag, std::string_view leaf) {
  return std::string(prefix) + "/tags/" + std::string(tag) + "/" + std::string(leaf);
}

std::string GatewayStatusTopic(std::string_view prefix, std::string_view gateway) {
  return std::string(prefix) + "/gateways/" + std::string(gateway) + "/status";
}

std::string DiscoveryObjectId(std::string_view sign) {
  std::string id = "ferromarquee_";
  for (char c : sign) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    id += plain ? c : '_';
  }
  return id;
}

MqttCommand CommandFromPayload(std::string_view payload) {
  MqttCommand command;
  if (Status utf8 = Utf8ToCodePage(payload, Unmappable::Replace).status; !utf8.ok() && !payload.empty()) {
    command.status = Status::BadInput("the payload is not UTF-8 text: " + utf8.message());
    return command;
  }
  size_t first = payload.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos && payload[first] == '{') {
    nlohmann::json object = nlohmann::json::parse(payload, nullptr, false);
    if (object.is_object() && object.contains("id")) {
      if (!object["id"].is_string() || object["id"].get<std::string>().empty()) {
        command.status = Status::BadInput("\"id\": must be a non-empty string");
        return command;
      }
      command.id = object["id"].get<std::string>();
      object.erase("id");
      command.body = object.dump();
      return command;
    }
    // Malformed JSON goes on as it is, so the submission names what is wrong with it.
    command.body = std::string(payload);
    return command;
  }
  nlohmann::json lines = nlohmann::json::array();
  size_t at = 0;
  while (true) {
    size_t end = payload.find('\n', at);
    std::string_view line = payload.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(nlohmann::json::array({{{"text", std::string(line)}, {"size", 1}, {"color", "red"}}}));
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  command.body = nlohmann::json{{"lines", lines}}.dump();
  return command;
}
