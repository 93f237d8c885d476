#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "live/LocalTime.h"

// Runs a test in a fixed time zone given as a POSIX TZ rule (no zone database needed):
// Central European time with its daylight-saving changes on the last Sundays of March
// (02:00 -> 03:00) and October (03:00 -> 02:00).
class LocalZone : public ::testing::Test {
 protected:
  void SetUp() override {
#if defined(_WIN32)
    GTEST_SKIP() << "the Windows C library knows only the US daylight-saving rules";
#else
    const char* previous = std::getenv("TZ");
    m_hadZone = previous != nullptr;
    if (previous) m_previous = previous;
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
#endif
  }
  void TearDown() override {
#if !defined(_WIN32)
    if (m_hadZone) {
      setenv("TZ", m_previous.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
#endif
  }

  // A moment given in UTC, independent of the zone under test.
  static std::time_t Utc(int year, int month, int day, int hour, int minute, int second = 0) {
    std::tm utc{};
    utc.tm_year = year - 1900;
    utc.tm_mon = month - 1;
    utc.tm_mday = day;
    utc.tm_hour = hour;
    utc.tm_min = minute;
    utc.tm_sec = second;
    return timegm(&utc);
  }

 private:
  bool m_hadZone = false;
  std::string m_previous;
};
