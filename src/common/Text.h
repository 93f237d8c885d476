#pragma once

#include <string>
#include <string_view>

// Text helpers for the single-byte (Latin-1) strings the whole core works with.

// printf-style formatting into a std::string; used where the marquee language and the
// file formats fix a printf format ("%02d", "%d.%d.%d.%d").
#if defined(__MINGW32__)
// MinGW builds use its C99 printf (__USE_MINGW_ANSI_STDIO), not the system's older one.
#define MARQUEE_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#elif defined(__GNUC__)
#define MARQUEE_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define MARQUEE_PRINTF_FORMAT(fmt, args)
#endif
std::string Format(const char* format, ...) MARQUEE_PRINTF_FORMAT(1, 2);

// The value of the leading digits by atoi rules (leading blanks, optional sign, digits
// up to the first non-digit; none gives 0), saturated to the int range instead of
// overflowing.
int LeadingInt(std::string_view text);

bool EqualsNoCase(std::string_view a, std::string_view b);
// Case-insensitive prefix test (ASCII letters only, like the list controls' search).
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
std::string ToUpperAscii(std::string_view text);
