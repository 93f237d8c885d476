#include "live/LocalTime.h"

std::tm LocalTime(std::time_t t) {
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return local;
}

std::time_t MakeLocalTime(int year, int month, int day, int hour, int minute, int second, int isDst) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = isDst;
  return std::mktime(&local);
}

std::time_t LocalMidnight(std::time_t t, int days) {
  std::tm local = LocalTime(t);
  return MakeLocalTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday + days, 0, 0, 0);
}

std::time_t NextZoneChange(std::time_t from, std::time_t to) {
  int dst = LocalTime(from).tm_isdst;
  if (to <= from || LocalTime(to).tm_isdst == dst) return 0;
  // Changes are months apart, so within one span there is one, found by halving.
  while (to - from > 1) {
    std::time_t middle = from + (to - from) / 2;
    if (LocalTime(middle).tm_isdst == dst) {
      from = middle;
    } else {
      to = middle;
    }
  }
  return to;
}
