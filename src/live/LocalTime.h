#pragma once

#include <ctime>

// The system time zone's calendar, as the C library gives it (TZ on POSIX).

// The local broken-down time of t.
std::tm LocalTime(std::time_t t);

// The moment of a local date and time (fields may lie outside their ranges and are
// normalised as mktime does). isDst -1 lets the zone decide daylight saving, so a time
// in a spring-forward gap lands just after it; 0 or 1 reads the fields in that offset,
// which steps through a repeated hour without skipping it.
std::time_t MakeLocalTime(int year, int month, int day, int hour, int minute, int second, int isDst = -1);

// The local midnight that starts the day `days` after the local day of t.
std::time_t LocalMidnight(std::time_t t, int days);

// The first moment in (from, to] at which daylight saving starts or ends, or 0.
std::time_t NextZoneChange(std::time_t from, std::time_t to);
