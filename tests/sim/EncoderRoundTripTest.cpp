// What the program sends, read by the simulator: composer strings, notice strings and
// network card strings come back as the same text, attributes and parameters, however
// the stream is cut into pieces.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "SimRecorder.h"
#include "message/CMsgSettings.h"
#include "message/InlineCodes.h"
#include "netsetup/LadDeviceNetwork.h"

namespace {

// Editor lines: each character with its size, colour and blinking.
struct TypedText {
  const char* name;
  std::vector<LINE1_PROP> lines;
};

std::vector<TypedText> SampleTexts() {
  const LINE1_PROP hello = {{1, 'H', kColorRed, 0}, {1, 'I', kColorRed, 0}};
  const LINE1_PROP mixed = {{2, 'C', kColorGreen, 1}, {2, 'D', kColorGreen, 1}, {1, '!', kColorYellow, 0}};
  const LINE1_PROP big = {{4, 'B', kColorYellow, 0}, {3, 'g', kColorRed, 1}};
  const LINE1_PROP latin = {{1, '\xE9', kColorRed, 0}, {1, ' ', kColorRed, 0}, {1, '~', kColorGreen, 0}};
  return {
      {"empty", {}},
      {"one line", {hello}},
      {"two lines", {hello, mixed}},
      {"empty line between", {hello, {}, big}},
      {"empty last line", {mixed, {}}},
      {"Latin-1", {latin, hello}},
  };
}

std::vector<CMsgSettings> SampleSettings() {
  std::vector<CMsgSettings> all;
  for (int address : {kAddressBroadcast, kAddressSpecificGroup, kAddressSpecificUnit, kAddressDefault})
    for (int reset = 0; reset <= 4; ++reset)
      for (int position = 0; position <= 2; ++position)
        for (int effect = 0; effect <= 4; ++effect)
          for (int flash = 0; flash <= 2; ++flash) {
            CMsgSettings settings;
            settings.m_nAddressMode = address;
            settings.m_nResetMode = reset;
            settings.m_nPosition = position;
            settings.m_nLine = 1 + (reset + effect) % 4;
            settings.m_nColumn = 1 + 9 * flash;
            settings.m_bClearLine = (address + effect) % 2 == 1;
            settings.m_nEffect = effect;
            settings.m_nFlashMode = flash;
            settings.m_bBlinkOffAtEnd = (reset + position) % 3 == 0;
            all.push_back(settings);
          }
  return all;
}

// The group and unit the composer sends for an address mode, to a marquee of group 1, unit 5
// ("Default" sends none).
void AddressFor(int mode, int& group, int& unit) {
  group = mode == kAddressBroadcast || mode == kAddressDefault ? 0 : 1;
  unit = mode == kAddressSpecificUnit ? 5 : 0;
}

// Everything the simulator reports for a stream cut into the given pieces.
std::vector<std::string> ReadInPieces(const std::string& stream, const std::vector<size_t>& cuts) {
  RecordedSim marquee;
  size_t from = 0;
  for (size_t cut : cuts) {
    marquee.sim.Feed(std::string_view(stream).substr(from, cut - from), SimTime{0});
    from = cut;
  }
  marquee.sim.Feed(std::string_view(stream).substr(from), SimTime{0});
  marquee.sim.EndMessage(SimTime{0});
  return marquee.recorder.lines;
}

}  // namespace

TEST(EncoderRoundTrip, ComposerStringsComeBackWithTheirTextAndAttributes) {
  for (const TypedText& typed : SampleTexts()) {
    const std::string text = EncodeInlineText(typed.lines);
    for (const CMsgSettings& settings : SampleSettings()) {
      int group = 0;
      int unit = 0;
      AddressFor(settings.m_nAddressMode, group, unit);
      const std::string command = settings.BuildCommandString(text, group, unit);
      if (command.empty()) continue;  // nothing to send
      RecordedSim marquee(1, 5);
      marquee.Read(command);
      const std::string context = std::string(typed.name) + ": " + command;
      ASSERT_EQ(marquee.recorder.messages.size(), 1u) << context;
      const SimMessage& message = marquee.recorder.messages[0];

      EXPECT_TRUE(message.accepted) << context;
      EXPECT_EQ(message.addressKind == SimAddressKind::kNone, settings.m_nAddressMode == kAddressDefault) << context;
      EXPECT_EQ(message.group, group) << context;
      EXPECT_EQ(message.unit, unit) << context;
      EXPECT_EQ(message.text, text) << context;
      // The editor drops an empty last line; the marquee's cursor goes on to that line.
      std::vector<LINE1_PROP> lines = DecodeInlineLines(text);
      if (text.ends_with("^N")) lines.emplace_back();
      EXPECT_EQ(message.lines, lines) << context;

      MessageCodes expected = settings.Codes();
      if (expected.position != kPositionStartingAt) {
        expected.line = 0;
        expected.column = 0;
        expected.clearLine = false;
      }
      // An empty text leaves "Blink whole message" followed by the blink-off tail, or the
      // blink-off tail alone, without text to tell header from tail: the marquee reads
      // the first "^B0" as the header's "Turn Off Blinking".
      bool blinkOffAtEnd = settings.m_bBlinkOffAtEnd;
      if (text.empty() && blinkOffAtEnd && expected.effect == kEffectDefault) {
        expected.effect = kEffectBlinkOff;
        blinkOffAtEnd = false;
      }
      EXPECT_EQ(message.codes, expected) << context;
      EXPECT_EQ(message.blinkOffAtEnd, blinkOffAtEnd) << context;
      const auto carets = static_cast<size_t>(std::count(command.begin(), command.end(), '^'));
      EXPECT_EQ(marquee.recorder.codes.size(), carets - (expected.position == kPositionStartingAt ? 1 : 0))
          << "every code read as one: " << context;
      for (const std::string& code : marquee.recorder.codes)
        EXPECT_TRUE(code.ends_with(" accepted")) << code << " in " << context;
    }
  }
}

TEST(EncoderRoundTrip, AnyCutIntoPiecesReadsTheSame) {
  CMsgSettings settings;
  settings.m_nAddressMode = kAddressSpecificUnit;
  settings.m_nResetMode = kResetClearHome;
  settings.m_nPosition = kPositionStartingAt;
  settings.m_nLine = 2;
  settings.m_nColumn = 10;
  settings.m_nEffect = kEffectScrollOnce;
  settings.m_bBlinkOffAtEnd = true;
  settings.m_nFlashMode = kFlashSave;
  const std::string text = EncodeInlineText(SampleTexts()[3].lines);
  CLadDeviceNetwork ethernet(kNetworkEthernet);
  ethernet.m_nProtocol = kProtocolModbusTcp;
  // Back to back: a message, a card string, a notice, a message for another unit.
  const std::string stream = settings.BuildCommandString(text, 1, 5) + ethernet.MakeProgramString(true, 1, 5) +
                             ethernet.MakeNoticeString("Ethernet Communication Attributes Programmed.", 1, 5) +
                             settings.BuildCommandString(text, 1, 6);

  const std::vector<std::string> whole = ReadInPieces(stream, {});
  ASSERT_GT(whole.size(), 20u);
  for (size_t cut = 1; cut < stream.size(); ++cut) ASSERT_EQ(ReadInPieces(stream, {cut}), whole) << "cut at " << cut;
  std::vector<size_t> everyByte;
  for (size_t cut = 1; cut < stream.size(); ++cut) everyByte.push_back(cut);
  EXPECT_EQ(ReadInPieces(stream, everyByte), whole);
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<size_t> cuts;
    for (size_t at = 1 + random() % 9; at < stream.size(); at += 1 + random() % 9) cuts.push_back(at);
    EXPECT_EQ(ReadInPieces(stream, cuts), whole) << "round " << round;
  }
}

TEST(EncoderRoundTrip, NoticeStringsScrollTheirTextCentredInRed) {
  CLadDeviceNetwork card(kNetworkProfibus);
  const std::string notice = card.GetNetworkName() + " Communication Attributes Disabled.";
  RecordedSim marquee(1, 5);
  marquee.Read(card.MakeNoticeString(notice, 1, 5));
  ASSERT_EQ(marquee.recorder.messages.size(), 1u);
  const SimMessage& message = marquee.recorder.messages[0];
  EXPECT_EQ(message.codes,
            (MessageCodes{kResetClearHomeReset, kPositionCenter, 0, 0, false, kEffectScrollRepeatedly, 0}));
  EXPECT_EQ(message.lineSize, 0);
  EXPECT_EQ(message.text, "^K0^dC1" + notice);
  EXPECT_EQ(SummaryOfInlineText(message.text), notice);
  EXPECT_EQ(marquee.sim.Display().lines.size(), 1u) << "the end mark is no new line";
}

TEST(EncoderRoundTrip, NetworkStringsSetTheCardsParameters) {
  CLadDeviceNetwork ethernetIp(kNetworkEthernet);
  ethernetIp.m_IPAddress = {10, 1, 2, 3};
  ethernetIp.m_SubnetMask = {255, 255, 0, 0};
  ethernetIp.m_Gateway = {10, 1, 0, 254};
  ethernetIp.m_nProtocol = kProtocolEthernetIp;
  ethernetIp.m_nInputSize = 96;
  ethernetIp.m_nByteOrder = 3;
  CLadDeviceNetwork modbusTcp(kNetworkEthernet);
  modbusTcp.m_nProtocol = kProtocolModbusTcp;
  modbusTcp.m_nUnitId = 247;
  modbusTcp.m_nByteOrder = 1;
  CLadDeviceNetwork deviceNet(kNetworkDeviceNet);
  deviceNet.m_nNodeAddress = 63;
  deviceNet.m_nBaudIndex = 2;
  deviceNet.m_nConsumedSize = 120;
  deviceNet.m_nProducedSize = 8;
  deviceNet.m_nByteOrder = 1;
  CLadDeviceNetwork profibus(kNetworkProfibus);
  profibus.m_nNodeAddress = 0;
  profibus.m_nConsumedSize = 244;
  profibus.m_nProducedSize = 1;
  profibus.m_nByteOrder = 0;
  CLadDeviceNetwork modbusRtu(kNetworkModbusRtu);
  modbusRtu.m_nRtuUnitId = 255;
  modbusRtu.m_nRtuWiring = 2;
  modbusRtu.m_nRtuByteOrder = 3;

  for (const CLadDeviceNetwork* sent : {&ethernetIp, &modbusTcp, &deviceNet, &profibus, &modbusRtu}) {
    RecordedSim marquee(2, 8);
    marquee.Read(sent->MakeProgramString(true, 2, 8));
    const CLadDeviceNetwork& kept = marquee.sim.Cards().Card(sent->m_nNetworkType).params;
    const std::string name = sent->GetNetworkName();
    EXPECT_EQ(kept.m_IPAddress, sent->m_IPAddress) << name;
    EXPECT_EQ(kept.m_SubnetMask, sent->m_SubnetMask) << name;
    EXPECT_EQ(kept.m_Gateway, sent->m_Gateway) << name;
    EXPECT_EQ(kept.m_nProtocol, sent->m_nProtocol) << name;
    EXPECT_EQ(kept.m_nInputSize, sent->m_nInputSize) << name;
    EXPECT_EQ(kept.m_nUnitId, sent->m_nUnitId) << name;
    EXPECT_EQ(kept.m_nByteOrder, sent->m_nByteOrder) << name;
    EXPECT_EQ(kept.m_nNodeAddress, sent->m_nNodeAddress) << name;
    EXPECT_EQ(kept.GetBaudRate(), sent->GetBaudRate()) << name;
    EXPECT_EQ(kept.m_nConsumedSize, sent->m_nConsumedSize) << name;
    EXPECT_EQ(kept.m_nProducedSize, sent->m_nProducedSize) << name;
    EXPECT_EQ(kept.m_nRtuUnitId, sent->m_nRtuUnitId) << name;
    EXPECT_EQ(kept.m_nRtuWiring, sent->m_nRtuWiring) << name;
    EXPECT_EQ(kept.m_nRtuByteOrder, sent->m_nRtuByteOrder) << name;
    EXPECT_EQ(marquee.recorder.lines.back().rfind("card name=" + LogValue(name) + " enabled=1", 0), 0u)
        << marquee.recorder.lines.back();
    for (const std::string& code : marquee.recorder.codes) EXPECT_TRUE(code.ends_with(" accepted")) << code;
  }

  // Each part of the Ethernet string alone, as the setup page may send them one by one.
  RecordedSim marquee(2, 8);
  for (bool* part : {&ethernetIp.m_bSendAddress, &ethernetIp.m_bSendUnit, &ethernetIp.m_bSendByteOrder}) {
    ethernetIp.m_bSendAddress = ethernetIp.m_bSendUnit = ethernetIp.m_bSendByteOrder = false;
    *part = true;
    marquee.Read(ethernetIp.MakeProgramString(true, 2, 8));
  }
  const CLadDeviceNetwork& kept = marquee.sim.Cards().Card(kNetworkEthernet).params;
  EXPECT_EQ(kept.m_IPAddress, ethernetIp.m_IPAddress);
  EXPECT_EQ(kept.m_nInputSize, 96);
  EXPECT_EQ(kept.m_nByteOrder, 3);
  EXPECT_EQ(kept.m_nPortNumber, 49999);
}

TEST(EncoderRoundTrip, DefaultsAndDisableStringsActOnTheCards) {
  CLadDeviceNetwork modbusRtu(kNetworkModbusRtu);
  modbusRtu.m_nRtuWiring = 0;
  CLadDeviceNetwork deviceNet(kNetworkDeviceNet);
  deviceNet.m_nNodeAddress = 5;
  RecordedSim marquee(0, 0);
  marquee.Read(modbusRtu.MakeProgramString(true, 0, 0) + deviceNet.MakeProgramString(true, 0, 0));
  marquee.Read(modbusRtu.MakeDisableString(0, 0));
  EXPECT_FALSE(marquee.sim.Cards().Card(kNetworkModbusRtu).enabled);
  EXPECT_FALSE(marquee.sim.Cards().Card(kNetworkEthernet).enabled) << "\"^P1Z\" is the Ethernet card's too";
  EXPECT_TRUE(marquee.sim.Cards().Card(kNetworkDeviceNet).enabled);

  marquee.Read(modbusRtu.MakeDefaultsString(0, 0));
  EXPECT_TRUE(marquee.sim.Cards().Card(kNetworkModbusRtu).enabled);
  EXPECT_EQ(marquee.sim.Cards().Card(kNetworkModbusRtu).params.m_nRtuWiring, 1);
  marquee.Read(deviceNet.MakeDefaultsString(0, 0));
  EXPECT_EQ(marquee.sim.Cards().Card(kNetworkDeviceNet).params.m_nNodeAddress, 20);

  // A card string for another marquee changes nothing.
  marquee.Read(deviceNet.MakeProgramString(true, 1, 1));
  EXPECT_EQ(marquee.sim.Cards().Card(kNetworkDeviceNet).params.m_nNodeAddress, 20);
  EXPECT_TRUE(marquee.recorder.codes.back().ends_with(" ignored"));
}
