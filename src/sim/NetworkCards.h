#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "netsetup/LadDeviceNetwork.h"
#include "sim/SimField.h"

// The network option card commands ("^P", the card digit, a letter, a fixed-width value)
// and the parameters a simulated marquee keeps for each of the four card kinds.

enum class CardField {
  kIpAddress,
  kSubnetMask,
  kGateway,
  kPort,
  kInputSize,
  kUnitId,
  kUnitIdFollowUp,  // "^P1h", sent right after the Modbus TCP/IP unit ID
  kByteOrder,
  kNodeAddress,
  kBaudRate,
  kConsumedSize,
  kProducedSize,
  kRtuUnitId,
  kRtuWiring,
  kRtuByteOrder,
  kDefaults,
  kDisable,
};

struct CardCommand {
  std::string_view pattern;  // as in CodeScanner.h: '#' is one digit
  int card;                  // NetworkType of the card the digit selects
  CardField field;
  std::string_view meaning;  // for the log
  int maximum;               // the largest value the field holds (an IP address: each octet's digits)
};

extern const std::array<CardCommand, 26> kCardCommands;

// One card as the marquee holds it: the parameters the commands set (a card starts at
// its defaults), whether its network is enabled, and the "^P1h" value.
struct SimCard {
  explicit SimCard(int type) : params(type) {}

  CLadDeviceNetwork params;
  bool enabled = true;
  int unitIdFollowUp = 0;
};

// The four cards, by NetworkType.
class SimCards {
 public:
  SimCards();

  // Carries out a card command whose code matched command.pattern. False, changing
  // nothing, when the value is outside what the field can hold (an octet above 255, a
  // byte order above 3, a baud rate other than 125, 250 or 500, ...). Programming a
  // parameter enables the card's network. "^P1L" and "^P1Z" act on the Ethernet and the
  // Modbus RTU card alike, as the program sends them for both; changed gets every card
  // the command touched.
  bool Apply(const CardCommand& command, std::string_view code, std::vector<int>& changed);

  const SimCard& Card(int type) const;

 private:
  SimCard& MutableCard(int type);

  std::array<SimCard, 4> m_cards;
};

// A card's parameters as log fields, in the command letters' terms: Ethernet gives ip,
// mask, gateway, port, protocol, input, unitid, next (the "^P1h" value), byteorder;
// DeviceNet mac, baud, consumed, produced, byteorder; Profibus node, input, output,
// byteorder; Modbus RTU unitid, wiring, byteorder. Every card starts with name and
// enabled.
std::vector<SimField> CardReport(const SimCard& card);
