#include "message/AttributeNames.h"

#include <array>
#include <string>

namespace {

constexpr std::array<std::string_view, 4> kAddressNames = {"broadcast", "group", "unit", "default"};
constexpr std::array<std::string_view, 3> kPositionNames = {"center", "default", "starting-at"};
constexpr std::array<std::string_view, 5> kEffectNames = {"default", "blink", "blink-off", "scroll-repeatedly",
                                                          "scroll-once"};
constexpr std::array<std::string_view, 5> kResetNames = {"nothing", "clear-home", "clear-home-reset",
                                                         "clear-keep-cursor", "clear-line"};
constexpr std::array<std::string_view, 3> kFlashNames = {"nothing", "clear", "save"};

struct NamedColor {
  std::string_view name;
  COLORREF color;
};
constexpr std::array<NamedColor, 3> kColors = {{{"red", kColorRed}, {"green", kColorGreen}, {"yellow", kColorYellow}}};

}  // namespace

std::string_view AttributeName(Attribute attribute) {
  switch (attribute) {
    case Attribute::Address:
      return "address";
    case Attribute::Position:
      return "position";
    case Attribute::Effect:
      return "effect";
    case Attribute::Reset:
      return "reset";
    case Attribute::Flash:
      return "flash";
  }
  return {};
}

std::span<const std::string_view> AttributeValueNames(Attribute attribute) {
  switch (attribute) {
    case Attribute::Address:
      return kAddressNames;
    case Attribute::Position:
      return kPositionNames;
    case Attribute::Effect:
      return kEffectNames;
    case Attribute::Reset:
      return kResetNames;
    case Attribute::Flash:
      return kFlashNames;
  }
  return {};
}

std::optional<int> AttributeValueOfName(Attribute attribute, std::string_view name) {
  std::span<const std::string_view> names = AttributeValueNames(attribute);
  for (size_t value = 0; value < names.size(); ++value)
    if (names[value] == name) return static_cast<int>(value);
  return std::nullopt;
}

std::string_view AttributeValueName(Attribute attribute, int value) {
  std::span<const std::string_view> names = AttributeValueNames(attribute);
  return value >= 0 && static_cast<size_t>(value) < names.size() ? names[static_cast<size_t>(value)]
                                                                 : std::string_view();
}

std::string AttributeValueList(Attribute attribute) {
  std::string list;
  std::span<const std::string_view> names = AttributeValueNames(attribute);
  for (size_t value = 0; value < names.size(); ++value) {
    if (value > 0) list += ", ";
    list += names[value];
    list += ' ';
    list += std::to_string(value);
  }
  return list;
}

std::optional<COLORREF> ColorOfName(std::string_view name) {
  for (const NamedColor& color : kColors)
    if (color.name == name) return color.color;
  return std::nullopt;
}

std::string_view ColorName(COLORREF color) {
  for (const NamedColor& named : kColors)
    if (named.color == color) return named.name;
  return {};
}
