#include "gateway/ScheduleJson.h"

#include <nlohmann/json.hpp>

#include "message/MessageJson.h"

namespace {

constexpr int kDepth = 10;

Status EntryFromJson(const nlohmann::json& item, size_t index, ScheduleEntry& entry) {
  std::string where = "schedule " + std::to_string(index + 1);
  auto bad = [&](const std::string& key, const std::string& what) {
    return Status::BadInput(where + ": \"" + key + "\": " + what);
  };
  if (!item.is_object()) return Status::BadInput(where + ": must be an object");
  for (const auto& [key, value] : item.items()) {
    if (key == "id" || key == "tag") {
      if (!value.is_string()) return bad(key, "must be a string");
      (key == "id" ? entry.id : entry.tag) = value.get<std::string>();
    } else if (key == "signs") {
      if (!value.is_array()) return bad(key, "must be an array of sign names");
      for (const nlohmann::json& sign : value) {
        if (!sign.is_string()) return bad(key, "must be an array of sign names");
        entry.signs.push_back(sign.get<std::string>());
      }
    } else if (key == "days") {
      if (!value.is_string()) return bad(key, "must be a string such as \"mon-fri\"");
      if (Status s = ParseDays(value.get<std::string>(), entry.days); !s.ok()) return bad(key, s.message());
    } else if (key == "from" || key == "to") {
      if (!value.is_string()) return bad(key, "must be a time of day such as \"06:00\"");
      int& minutes = key == "from" ? entry.startMinute : entry.endMinute;
      if (Status s = ParseTimeOfDay(value.get<std::string>(), minutes); !s.ok()) return bad(key, s.message());
    } else if (key == "priority") {
      if (!value.is_number_integer() || value.get<int64_t>() < 0 || value.get<int64_t>() > 1000) {
        return bad(key, "must be a whole number from 0 to 1000");
      }
      entry.priority = value.get<int>();
    } else if (key == "message") {
      if (!value.is_object()) return bad(key, "must be a message object");
      entry.message = value.dump();
    } else {
      return Status::BadInput(where + ": unknown key \"" + key + "\"");
    }
  }
  if (entry.message.empty()) return bad("message", "is missing");
  if (Status checked = CheckScheduleEntry(entry); !checked.ok())
    return Status::BadInput(where + ": " + checked.message());
  return {};
}

}  // namespace

std::string SchedulesToJson(const std::vector<ScheduleEntry>& entries) {
  nlohmann::json array = nlohmann::json::array();
  for (const ScheduleEntry& entry : entries) {
    nlohmann::json item = {{"id", entry.id},
                           {"days", DaysText(entry.days)},
                           {"from", TimeOfDayText(entry.startMinute)},
                           {"to", TimeOfDayText(entry.endMinute)},
                           {"priority", entry.priority},
                           {"message", nlohmann::json::parse(entry.message, nullptr, false)}};
    if (!entry.signs.empty()) item["signs"] = entry.signs;
    if (!entry.tag.empty()) item["tag"] = entry.tag;
    array.push_back(std::move(item));
  }
  return array.dump();
}

Status SchedulesFromJson(std::string_view json, std::vector<ScheduleEntry>& entries) {
  JsonDocument document = ParseJsonStrictly(json, kDepth);
  if (!document.status.ok()) return document.status;
  if (!document.value.is_array()) return Status::BadInput("schedules must be an array of entries");
  std::vector<ScheduleEntry> read;
  for (size_t i = 0; i < document.value.size(); ++i) {
    ScheduleEntry entry;
    if (Status s = EntryFromJson(document.value[i], i, entry); !s.ok()) return s;
    for (const ScheduleEntry& other : read) {
      if (other.id == entry.id) return Status::BadInput("schedule id \"" + entry.id + "\" is used twice");
    }
    read.push_back(std::move(entry));
  }
  entries = std::move(read);
  return {};
}
