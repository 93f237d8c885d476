#include "live/Schedule.h"

#include <algorithm>
#include <array>

#include "common/Text.h"
#include "live/LocalTime.h"

namespace {

constexpr std::array<std::string_view, 7> kDayNames = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};

bool CrossesMidnight(const ScheduleEntry& entry) {
  return entry.endMinute <= entry.startMinute;
}

bool HasDay(uint8_t days, int weekday) {
  return (days >> ((weekday + 7) % 7)) & 1;
}

// The moment `minute` minutes after the local midnight that starts the day `dayOffset`
// days after the local day of t.
std::time_t DayMinute(std::time_t t, int dayOffset, int minute) {
  std::tm local = LocalTime(t);
  return MakeLocalTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday + dayOffset, minute / 60, minute % 60, 0);
}

// Every moment at which the local clock reads that minute of that day: none in a
// spring-forward gap, two in the hour that repeats when the clocks go back.
template <typename Consider>
void ForEachDayMinute(std::time_t t, int dayOffset, int minute, Consider consider) {
  std::tm local = LocalTime(t);
  for (int isDst : {0, 1}) {
    std::time_t moment = MakeLocalTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday + dayOffset, minute / 60,
                                       minute % 60, 0, isDst);
    std::tm reading = LocalTime(moment);
    if (reading.tm_isdst == isDst && reading.tm_hour * 60 + reading.tm_min == minute % kMinutesPerDay) {
      consider(moment);
    }
  }
}

// The window that holds t, as the day offset (0 today, -1 yesterday) on which it started.
bool WindowStartDay(const ScheduleEntry& entry, std::time_t t, int& dayOffset) {
  std::tm local = LocalTime(t);
  int minute = local.tm_hour * 60 + local.tm_min;
  if (!CrossesMidnight(entry)) {
    dayOffset = 0;
    return HasDay(entry.days, local.tm_wday) && minute >= entry.startMinute && minute < entry.endMinute;
  }
  if (HasDay(entry.days, local.tm_wday) && minute >= entry.startMinute) {
    dayOffset = 0;
    return true;
  }
  dayOffset = -1;
  return HasDay(entry.days, local.tm_wday - 1) && minute < entry.endMinute;
}

std::time_t WindowEnd(const ScheduleEntry& entry, std::time_t t, int startDay) {
  return DayMinute(t, startDay + (CrossesMidnight(entry) ? 1 : 0), entry.endMinute);
}

Status ParseDayName(std::string_view name, int& weekday) {
  for (size_t i = 0; i < kDayNames.size(); ++i) {
    if (EqualsNoCase(name, kDayNames[i])) {
      weekday = int(i);
      return {};
    }
  }
  return Status::BadInput("\"" + std::string(name) + "\" is no day (mon, tue, wed, thu, fri, sat, sun, daily)");
}

}  // namespace

Status CheckScheduleEntry(const ScheduleEntry& entry) {
  if (entry.id.empty()) return Status::BadInput("a schedule entry needs an id");
  if (entry.signs.empty() && entry.tag.empty())
    return Status::BadInput("schedule " + entry.id + " names no sign or tag");
  if ((entry.days & kEveryDay) == 0) return Status::BadInput("schedule " + entry.id + " has no day");
  if (entry.startMinute < 0 || entry.startMinute >= kMinutesPerDay || entry.endMinute < 0 ||
      entry.endMinute > kMinutesPerDay) {
    return Status::BadInput("schedule " + entry.id + " has a time outside 00:00 to 24:00");
  }
  return {};
}

bool EntryCovers(const ScheduleEntry& entry, std::string_view sign, const std::vector<std::string>& signTags) {
  if (std::find(entry.signs.begin(), entry.signs.end(), sign) != entry.signs.end()) return true;
  return !entry.tag.empty() && std::find(signTags.begin(), signTags.end(), entry.tag) != signTags.end();
}

bool EntryActiveAt(const ScheduleEntry& entry, std::time_t t) {
  int startDay = 0;
  return WindowStartDay(entry, t, startDay);
}

ActiveChoice ChooseActive(std::string_view sign, const std::vector<std::string>& signTags,
                          const std::vector<ScheduleEntry>& entries, const std::vector<Interrupt>& interrupts,
                          std::time_t now) {
  ActiveChoice choice;
  for (const ScheduleEntry& entry : entries) {
    int startDay = 0;
    if (!EntryCovers(entry, sign, signTags) || !WindowStartDay(entry, now, startDay)) continue;
    if (choice.source == ActiveChoice::Source::None || entry.priority > choice.priority) {
      choice = {ActiveChoice::Source::Schedule, entry.id, entry.priority, WindowEnd(entry, now, startDay),
                entry.message};
    }
  }
  const Interrupt* winner = nullptr;
  for (const Interrupt& interrupt : interrupts) {
    if (interrupt.expires != 0 && interrupt.expires <= now) continue;
    if (!winner || interrupt.priority >= winner->priority) winner = &interrupt;
  }
  if (winner && (choice.source == ActiveChoice::Source::None || winner->priority >= choice.priority)) {
    choice = {ActiveChoice::Source::Interrupt, winner->id, winner->priority, winner->expires, winner->message};
  }
  return choice;
}

std::time_t NextChange(std::string_view sign, const std::vector<std::string>& signTags,
                       const std::vector<ScheduleEntry>& entries, const std::vector<Interrupt>& interrupts,
                       std::time_t now) {
  std::time_t next = 0;
  auto consider = [&](std::time_t moment) {
    if (moment > now && (next == 0 || moment < next)) next = moment;
  };
  for (const ScheduleEntry& entry : entries) {
    if (!EntryCovers(entry, sign, signTags)) continue;
    // Every entry opens once a day (its days are checked when asked), so yesterday's,
    // today's and tomorrow's windows hold its next boundary.
    for (int day = -1; day <= 1; ++day) {
      ForEachDayMinute(now, day, entry.startMinute, consider);
      int endDay = day + (CrossesMidnight(entry) ? 1 : 0);
      ForEachDayMinute(now, endDay + entry.endMinute / kMinutesPerDay, entry.endMinute % kMinutesPerDay, consider);
    }
  }
  // A window that starts or ends in a spring-forward gap changes when the clocks jump.
  if (next != 0) consider(NextZoneChange(now, next));
  for (const Interrupt& interrupt : interrupts) {
    if (interrupt.expires != 0) consider(interrupt.expires);
  }
  return next;
}

Status ParseTimeOfDay(std::string_view text, int& minutes) {
  size_t colon = text.find(':');
  auto digits = [](std::string_view part) {
    return !part.empty() && part.size() <= 2 &&
           std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (colon == std::string_view::npos || !digits(text.substr(0, colon)) || text.substr(colon + 1).size() != 2 ||
      !digits(text.substr(colon + 1))) {
    return Status::BadInput("\"" + std::string(text) + "\" is no time of day (HH:MM)");
  }
  int hour = LeadingInt(text.substr(0, colon));
  int minute = LeadingInt(text.substr(colon + 1));
  if (minute > 59 || hour > 24 || (hour == 24 && minute != 0)) {
    return Status::BadInput("\"" + std::string(text) + "\" is outside 00:00 to 24:00");
  }
  minutes = hour * 60 + minute;
  return {};
}

Status ParseDays(std::string_view text, uint8_t& days) {
  uint8_t parsed = 0;
  size_t at = 0;
  while (at <= text.size()) {
    size_t comma = std::min(text.find(',', at), text.size());
    std::string_view item = text.substr(at, comma - at);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    if (EqualsNoCase(item, "daily")) {
      parsed = kEveryDay;
    } else {
      size_t dash = item.find('-');
      int first = 0;
      int last = 0;
      if (Status s = ParseDayName(item.substr(0, dash), first); !s.ok()) return s;
      last = first;
      if (dash != std::string_view::npos) {
        if (Status s = ParseDayName(item.substr(dash + 1), last); !s.ok()) return s;
      }
      // A range runs forward through the week: "fri-mon" is Friday to Monday.
      for (int day = first;; day = (day + 1) % 7) {
        parsed = uint8_t(parsed | (1u << day));
        if (day == last) break;
      }
    }
    at = comma + 1;
  }
  days = parsed;
  return {};
}

std::string DaysText(uint8_t days) {
  if ((days & kEveryDay) == kEveryDay) return "daily";
  std::string text;
  // Monday first, as working weeks are written.
  for (int i = 1; i <= 7; ++i) {
    int day = i % 7;
    if (!HasDay(days, day)) continue;
    if (!text.empty()) text += ',';
    text += kDayNames[size_t(day)];
  }
  return text;
}

std::string TimeOfDayText(int minutes) {
  return Format("%02d:%02d", minutes / 60, minutes % 60);
}
