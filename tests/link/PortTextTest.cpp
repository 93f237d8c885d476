#include <gtest/gtest.h>

#include "link/PortText.h"

namespace {

const std::vector<std::string> kFriendlyNames = {
    "Communications Port (COM1)",      "USB Serial Port (COM10)", "Bluetooth (COM3) link",
    "USB-Serial Controller (ttyUSB0)", "Other Port (COM1)",
};

TEST(PortText, FormatsNamesWithAndWithoutFriendlyName) {
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"COM1", "COM1" + std::string(12, ' ') + "Communications Port "},  // first match wins
      {"COM10", "COM10" + std::string(10, ' ') + "USB Serial Port "},
      {"COM12", "COM12"},                                           // no friendly name
      {"COM3", "COM3" + std::string(12, ' ') + "Bluetooth (COM3"},  // the marker's length is cut from the end
      {"ttyUSB0", "ttyUSB0" + std::string(8, ' ') + "USB-Serial Controller "},
      {"Ethernet", "Ethernet"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatPortText(c.name, kFriendlyNames), c.text) << c.name;
  EXPECT_EQ(FormatPortText("COM1", {}), "COM1");
}

TEST(PortText, LongNamesAreNotCut) {
  std::string name = "ttyUSB-long-device-name";
  EXPECT_EQ(FormatPortText(name, {"Adapter (" + name + ")"}), name + "Adapter ");
}

TEST(PortText, ParsesTheNameBack) {
  const std::pair<std::string, std::string> cases[] = {
      {"COM1            Communications Port ", "COM1"},
      {"COM10          USB Serial Port ", "COM10"},
      {"COM12", "COM12"},
      {"Ethernet", "Ethernet"},
      {"COM Port", "COM Port"},  // a blank before position 4 keeps the whole text
      {"COM", "COM"},
      {"", ""},
  };
  for (const auto& [text, name] : cases) EXPECT_EQ(ParsePortText(text), name) << text;
}

TEST(PortText, FormattedTextsParseBackToTheirNames) {
  for (const char* name : {"COM1", "COM10", "COM12", "COM3", "ttyUSB0", "Ethernet"})
    EXPECT_EQ(ParsePortText(FormatPortText(name, kFriendlyNames)), name);
}

}  // namespace
