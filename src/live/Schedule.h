#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"

// What a sign shows over the day: schedule entries with time windows and priorities, and
// interrupts that pre-empt them until they expire. Everything here is a function of the
// entries and the moment asked about; the caller owns the clock and asks again at
// NextChange, so tests step through days and daylight-saving changes without waiting.
// Times of day are local (the system's time zone).

// Days of the week as bits: bit n is tm_wday n (0 Sunday ... 6 Saturday).
inline constexpr uint8_t kEveryDay = 0x7F;
inline constexpr int kMinutesPerDay = 24 * 60;

struct ScheduleEntry {
  std::string id;
  std::vector<std::string> signs;  // sign names; an entry names signs, a tag, or both
  std::string tag;
  uint8_t days = kEveryDay;  // the days on which the window starts
  int startMinute = 0;       // minutes after local midnight, 0-1439
  int endMinute = 0;         // 0-1440, exclusive; at or before the start the window runs into the
                             // next day, and equal to the start it lasts a whole day
  int priority = 0;
  std::string message;  // the message or template, as the caller stores it
};

struct Interrupt {
  std::string id;
  int priority = 0;
  std::time_t expires = 0;  // 0: until cancelled
  std::string message;
};

// The choice for one sign at one moment.
struct ActiveChoice {
  enum class Source { None, Schedule, Interrupt };
  Source source = Source::None;
  std::string id;  // the entry's or the interrupt's id
  int priority = 0;
  std::time_t until = 0;  // the end of the entry's window or the interrupt's expiry; 0: none
  std::string message;

  bool SameAs(const ActiveChoice& other) const { return source == other.source && id == other.id; }
};

// Checks an entry's fields: an id, a target, at least one day, minutes in range.
Status CheckScheduleEntry(const ScheduleEntry& entry);

bool EntryCovers(const ScheduleEntry& entry, std::string_view sign, const std::vector<std::string>& signTags);
bool EntryActiveAt(const ScheduleEntry& entry, std::time_t t);

// The active entry of highest priority among those covering the sign (the first listed
// wins a tie), unless an unexpired interrupt of at least that priority pre-empts it (the
// last listed wins a tie among interrupts). interrupts are the sign's own.
ActiveChoice ChooseActive(std::string_view sign, const std::vector<std::string>& signTags,
                          const std::vector<ScheduleEntry>& entries, const std::vector<Interrupt>& interrupts,
                          std::time_t now);

// The first moment after now at which ChooseActive for the sign may answer otherwise (a
// window of a covering entry opens or closes, an interrupt expires); 0 when none will.
// It may name a moment at which nothing changes after all; asking then is harmless.
std::time_t NextChange(std::string_view sign, const std::vector<std::string>& signTags,
                       const std::vector<ScheduleEntry>& entries, const std::vector<Interrupt>& interrupts,
                       std::time_t now);

// "07:30" (or "7:30", "24:00" for the end of the day) as minutes after midnight.
Status ParseTimeOfDay(std::string_view text, int& minutes);
// Day names "mon" ... "sun", ranges "mon-fri" and "daily", separated by commas.
Status ParseDays(std::string_view text, uint8_t& days);
std::string DaysText(uint8_t days);
std::string TimeOfDayText(int minutes);
