#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The header and tail codes of the command language. Tables indexed by an attribute
// value hold the code that value sends (index 0 sends nothing). Each code also has a
// kind, a number of its own, so that a reader can name the codes it has found.

enum LineCodeKind : uint8_t {
  kNoCode,
  kCodeLineSize0,
  kCodeLineSize1,
  kCodeLineSize2,
  kCodeLineSize3,
  kCodeReset1,
  kCodeReset2,
  kCodeReset3,
  kCodeReset4,
  kCodeCenter,
  kCodeStartingAtClearLine,
  kCodeStartingAt,
  kCodeClearLine,
  kCodeBlink,
  kCodeBlinkOff,
  kCodeScrollRepeatedly,
  kCodeScrollOnce,
  kCodeFlashClear,
  kCodeFlashSave,
  kLineCodeKinds
};

struct LineCode {
  std::string_view text;
  LineCodeKind kind;
};

inline constexpr std::array<LineCode, 5> kResetCodes = {
    {{"", kNoCode}, {"^E0", kCodeReset1}, {"^E1", kCodeReset2}, {"^E2", kCodeReset3}, {"^E3", kCodeReset4}}};
inline constexpr std::array<LineCode, 4> kLineSizeCodes = {
    {{"^L0", kCodeLineSize0}, {"^L1", kCodeLineSize1}, {"^L2", kCodeLineSize2}, {"^L3", kCodeLineSize3}}};
inline constexpr LineCode kCenterCode = {"^C1", kCodeCenter};
inline constexpr LineCode kStartingAtCode = {"^C0^M", kCodeStartingAt};
inline constexpr LineCode kStartingAtClearLineCode = {"^C0^H", kCodeStartingAtClearLine};
// Its presence anywhere in a stored line sets the clear-line flag.
inline constexpr LineCode kClearLineMark = {"^H", kCodeClearLine};
inline constexpr std::array<LineCode, 5> kEffectCodes = {{{"", kNoCode},
                                                          {"^B1", kCodeBlink},
                                                          {"^B0", kCodeBlinkOff},
                                                          {"^D1", kCodeScrollRepeatedly},
                                                          {"^D0", kCodeScrollOnce}}};
// Ends the text of the scroll effects.
inline constexpr std::string_view kEndMark = "^N";
inline constexpr std::string_view kBlinkOffAtEndCode = "^B0";
inline constexpr std::array<LineCode, 3> kFlashCodes = {
    {{"", kNoCode}, {"^Y0", kCodeFlashClear}, {"^Y1", kCodeFlashSave}}};
