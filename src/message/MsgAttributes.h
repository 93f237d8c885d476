#pragma once

#include <array>
#include <string_view>

// The message attribute enumerations. Attribute fields are plain ints (stored in
// settings and files as such), so any int can arrive; each "Default" / "Do Nothing"
// value sends no code. The name tables are what the composer's lists show, in value
// order.

enum AddressMode : int {
  kAddressBroadcast = 0,  // every marquee on the line: the composer sends group and unit 0
  kAddressSpecificGroup = 1,
  kAddressSpecificUnit = 2,
  kAddressDefault = 3,  // no address code at all
};

enum Position : int {
  kPositionCenter = 0,
  kPositionDefault = 1,
  kPositionStartingAt = 2,  // at m_nLine, m_nColumn
};

enum Effect : int {
  kEffectDefault = 0,
  kEffectBlink = 1,
  kEffectBlinkOff = 2,
  kEffectScrollRepeatedly = 3,
  kEffectScrollOnce = 4,
};

// What the marquee does to its display before showing the message ("Display Mode").
enum ResetMode : int {
  kResetNothing = 0,
  kResetClearHome = 1,
  kResetClearHomeReset = 2,
  kResetClearKeepCursor = 3,
  kResetClearLine = 4,
};

enum FlashMode : int {
  kFlashNothing = 0,
  kFlashClear = 1,
  kFlashSave = 2,
};

inline constexpr std::array<std::string_view, 4> kAddressModeNames = {"BroadCast", "Specific Group", "Specific Unit",
                                                                      "Default"};
inline constexpr std::array<std::string_view, 3> kPositionNames = {"Center", "Default", "Starting at"};
inline constexpr std::array<std::string_view, 5> kEffectNames = {"Default", "Blink whole message", "Turn Off Blinking",
                                                                 "Scroll Repeatedly", "Scroll once"};
inline constexpr std::array<std::string_view, 5> kResetModeNames = {
    "Do Nothing", "Clear Display, Home cursor", "Clear Display, Home cursor, Reset", "Clear Display, cursor unchanged",
    "Clear line. Cursor at line start"};
inline constexpr std::array<std::string_view, 3> kFlashModeNames = {"Do Nothing", "Clear Flash", "Save to Flash"};

// True for the effects that scroll; they end the text with the "^N" end mark.
constexpr bool IsScrollEffect(int effect) {
  return effect == kEffectScrollRepeatedly || effect == kEffectScrollOnce;
}
