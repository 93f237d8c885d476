#include <gtest/gtest.h>

#include "LocalZone.h"
#include "live/Schedule.h"

namespace {

ScheduleEntry Entry(std::string id, std::string_view days, std::string_view from, std::string_view to, int priority,
                    std::string tag = "hall-a") {
  ScheduleEntry entry;
  entry.id = std::move(id);
  entry.tag = std::move(tag);
  EXPECT_TRUE(ParseDays(days, entry.days).ok());
  EXPECT_TRUE(ParseTimeOfDay(from, entry.startMinute).ok());
  EXPECT_TRUE(ParseTimeOfDay(to, entry.endMinute).ok());
  entry.priority = priority;
  entry.message = entry.id + " text";
  return entry;
}

const std::vector<std::string> kTags = {"hall-a", "line1"};

class Schedule : public LocalZone {
 protected:
  std::string Active(std::time_t t, const std::vector<Interrupt>& interrupts = {}) const {
    ActiveChoice choice = ChooseActive("line1", kTags, m_entries, interrupts, t);
    return choice.source == ActiveChoice::Source::None ? "-" : choice.id;
  }
  std::vector<ScheduleEntry> m_entries;
};

// 2026-03-27 is a Friday; the clocks go forward in the night to Sunday the 29th.
TEST_F(Schedule, ChoosesTheActiveEntryOfHighestPriority) {
  m_entries = {Entry("day", "daily", "00:00", "00:00", 0), Entry("shift", "mon-fri", "06:00", "14:00", 5),
               Entry("night", "fri", "22:00", "06:00", 5), Entry("break", "daily", "09:30", "09:45", 9),
               Entry("other", "daily", "00:00", "00:00", 99, "hall-b")};
  EXPECT_EQ(Active(Utc(2026, 3, 27, 4, 59)), "day");  // 05:59 CET
  EXPECT_EQ(Active(Utc(2026, 3, 27, 5, 0)), "shift");
  EXPECT_EQ(Active(Utc(2026, 3, 27, 8, 30)), "break");
  EXPECT_EQ(Active(Utc(2026, 3, 27, 8, 45)), "shift");
  EXPECT_EQ(Active(Utc(2026, 3, 27, 21, 0)), "night");  // Friday 22:00
  EXPECT_EQ(Active(Utc(2026, 3, 28, 4, 59)), "night");  // Saturday 05:59, the window started on Friday
  EXPECT_EQ(Active(Utc(2026, 3, 28, 5, 0)), "day");     // no shift on Saturday
  EXPECT_EQ(Active(Utc(2026, 3, 29, 4, 0)), "day");     // Sunday 06:00 CEST: Saturday has no night

  ActiveChoice shift = ChooseActive("line1", kTags, m_entries, {}, Utc(2026, 3, 27, 6, 0));
  EXPECT_EQ(shift.until, Utc(2026, 3, 27, 13, 0));
  EXPECT_EQ(shift.message, "shift text");
}

TEST_F(Schedule, InterruptsPreemptUntilTheyExpire) {
  m_entries = {Entry("shift", "daily", "06:00", "14:00", 5)};
  std::time_t now = Utc(2026, 3, 27, 7, 0);
  std::vector<Interrupt> interrupts = {{"alarm", 5, now + 60, "STOP"}, {"low", 1, 0, "info"}};
  EXPECT_EQ(Active(now, interrupts), "alarm");
  EXPECT_EQ(NextChange("line1", kTags, m_entries, interrupts, now), now + 60);
  EXPECT_EQ(Active(now + 60, interrupts), "shift");  // the schedule comes back
  EXPECT_EQ(Active(Utc(2026, 3, 27, 14, 0), interrupts), "low");
  interrupts.push_back({"later", 5, 0, "newest wins a tie"});
  EXPECT_EQ(Active(now, interrupts), "later");
}

// Between two moments NextChange names, nothing changes: checked minute by minute across
// a week holding both daylight-saving nights and windows that run past midnight.
TEST_F(Schedule, NextChangeNeverMissesAChange) {
  m_entries = {Entry("day", "mon-sat", "07:00", "19:00", 1), Entry("night", "fri,sat", "22:30", "02:30", 2),
               Entry("dst", "sun", "02:15", "03:15", 3), Entry("short", "daily", "12:00", "12:01", 4)};
  for (std::time_t start : {Utc(2026, 3, 26, 0, 0), Utc(2026, 10, 22, 0, 0)}) {
    std::time_t t = start;
    int changes = 0;
    while (t < start + 8 * 86400) {
      std::time_t next = NextChange("line1", kTags, m_entries, {}, t);
      ASSERT_GT(next, t);
      ActiveChoice now = ChooseActive("line1", kTags, m_entries, {}, t);
      for (std::time_t m = t + 60 - t % 60; m < next; m += 60) {
        ASSERT_TRUE(ChooseActive("line1", kTags, m_entries, {}, m).SameAs(now)) << "missed a change at " << m;
      }
      changes += ChooseActive("line1", kTags, m_entries, {}, next).SameAs(now) ? 0 : 1;
      t = next;
    }
    EXPECT_GE(changes, 20);
  }
}

TEST(ScheduleText, DaysAndTimesOfDay) {
  uint8_t days = 0;
  ASSERT_TRUE(ParseDays("mon-fri", days).ok());
  EXPECT_EQ(DaysText(days), "mon,tue,wed,thu,fri");
  ASSERT_TRUE(ParseDays("Fri-Mon, wed", days).ok());
  EXPECT_EQ(DaysText(days), "mon,wed,fri,sat,sun");
  ASSERT_TRUE(ParseDays("daily", days).ok());
  EXPECT_EQ(DaysText(days), "daily");
  EXPECT_FALSE(ParseDays("monday", days).ok());
  EXPECT_FALSE(ParseDays("", days).ok());

  int minutes = 0;
  ASSERT_TRUE(ParseTimeOfDay("7:05", minutes).ok());
  EXPECT_EQ(TimeOfDayText(minutes), "07:05");
  ASSERT_TRUE(ParseTimeOfDay("24:00", minutes).ok());
  EXPECT_EQ(minutes, kMinutesPerDay);
  for (std::string_view bad : {"24:01", "12:60", "1230", "12:5", "-1:00", "a:bc"}) {
    EXPECT_FALSE(ParseTimeOfDay(bad, minutes).ok()) << bad;
  }

  ScheduleEntry entry;
  EXPECT_FALSE(CheckScheduleEntry(entry).ok());
  entry.id = "x";
  entry.signs = {"line1"};
  EXPECT_TRUE(CheckScheduleEntry(entry).ok());
  entry.startMinute = kMinutesPerDay;
  EXPECT_FALSE(CheckScheduleEntry(entry).ok());
}

}  // namespace
