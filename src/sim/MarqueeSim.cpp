#include "sim/MarqueeSim.h"

#include <algorithm>

#include "common/Text.h"
#include "message/CommandCodes.h"
#include "message/MsgAttributes.h"

namespace {

constexpr COLORREF kCodeColors[] = {kColorRed, kColorGreen, kColorYellow};
constexpr std::string_view kColorNames[] = {"red", "green", "yellow"};
constexpr int kHighestSizeDigit = 4;  // "^K4": size 5
constexpr int kHighestResetDigit = 3;
constexpr int kHighestLineSizeDigit = 3;

// The digit of a one-digit code ("^E1" gives 1).
int LastDigit(std::string_view raw) {
  return raw.back() - '0';
}

std::string Number(int value) {
  return std::to_string(value);
}

}  // namespace

std::string_view StatusName(SimCodeStatus status) {
  switch (status) {
    case SimCodeStatus::kAccepted:
      return "accepted";
    case SimCodeStatus::kIgnored:
      return "ignored";
    case SimCodeStatus::kInvalid:
      return "invalid";
    case SimCodeStatus::kUnknown:
      return "unknown";
    case SimCodeStatus::kTruncated:
      return "truncated";
  }
  return "unknown";
}

MarqueeSim::MarqueeSim(int group, int unit, ISimListener& listener, SimTime idleGap)
    : m_group(group), m_unit(unit), m_listener(listener), m_idleGap(idleGap) {}

void MarqueeSim::Feed(std::string_view bytes, SimTime at) {
  if (bytes.empty()) return;
  Idle(at);
  m_now = at;
  for (char byte : bytes) m_scanner.Push(byte, *this);
  m_lastByte = at;
}

void MarqueeSim::Idle(SimTime at) {
  if (const std::optional<SimTime> deadline = IdleDeadline(); deadline && at >= *deadline) EndMessage(at);
}

std::optional<SimTime> MarqueeSim::IdleDeadline() const {
  if (m_phase == Phase::kNone && !m_scanner.HasPending()) return std::nullopt;
  return m_lastByte + m_idleGap;
}

void MarqueeSim::EndMessage(SimTime at) {
  m_now = at;
  m_scanner.Flush(*this);
  FlushTextRun();
  if (m_phase != Phase::kNone) FinishMessage();
}

void MarqueeSim::ShowFlashMessage(std::string_view body, SimTime at) {
  EndMessage(at);
  m_listener.OnFlash(at, SimFlashChange::kShown, body);
  m_now = at;
  for (char byte : body) m_scanner.Push(byte, *this);
  EndMessage(at);
}

void MarqueeSim::OnToken(const ScanToken& token) {
  switch (token.kind) {
    case ScanKind::kText:
      OnTextByte(token.raw.front());
      break;
    case ScanKind::kCode:
      OnCode(token);
      break;
    case ScanKind::kUnknown:
    case ScanKind::kTruncated: {
      FlushTextRun();
      SimCodeEvent event;
      event.status = token.kind == ScanKind::kUnknown ? SimCodeStatus::kUnknown : SimCodeStatus::kTruncated;
      event.raw = token.raw;
      m_listener.OnCode(m_now, event);
      break;
    }
  }
}

void MarqueeSim::OnCode(const ScanToken& token) {
  FlushTextRun();
  switch (token.code) {
    case SimCodeKind::kAddress:
      ReadAddress(token);
      break;
    case SimCodeKind::kReset:
    case SimCodeKind::kLineSize:
    case SimCodeKind::kCenter:
    case SimCodeKind::kStartingAt:
    case SimCodeKind::kStartingAtClearLine:
    case SimCodeKind::kScroll:
      ReadHeaderCode(token);
      break;
    case SimCodeKind::kBlink:
      ReadBlinkCode(token);
      break;
    case SimCodeKind::kSize:
    case SimCodeKind::kColor:
    case SimCodeKind::kBlinkCharacters:
    case SimCodeKind::kNewLine:
      ReadInlineCode(token);
      break;
    case SimCodeKind::kFlash:
      ReadFlashCode(token);
      break;
    case SimCodeKind::kCard:
      ReadCardCode(token);
      break;
  }
}

void MarqueeSim::OnTextByte(char byte) {
  EnterPhase(Phase::kText);
  m_message.showsSomething = true;
  m_endsWithNewLine = false;
  // Text beyond the message buffer is only counted: a flood must not grow the log.
  if (!AddToText(std::string_view(&byte, 1))) {
    ++m_message.droppedTextBytes;
    return;
  }
  m_textRun += byte;
  if (m_textRun.size() == kTextRunBytes) FlushTextRun();
  CHAR_PROP character = m_attributes;
  character.character = static_cast<unsigned char>(byte);
  m_message.lines.back().push_back(character);
}

void MarqueeSim::EnterPhase(Phase phase) {
  if (m_phase > phase) FinishMessage();
  if (m_phase == Phase::kNone) StartMessage();
  m_phase = std::max(m_phase, phase);
}

void MarqueeSim::StartMessage() {
  m_message = SimMessage();
  m_message.lines.emplace_back();
  m_phase = Phase::kAddress;
  m_effectSet = false;
  m_endsWithNewLine = false;
  m_attributes = CHAR_PROP();
  m_changedCards.clear();
}

void MarqueeSim::FinishMessage() {
  FlushTextRun();
  if (IsScrollEffect(m_message.codes.effect) && m_endsWithNewLine) {
    m_message.text.resize(m_message.text.size() - kEndMark.size());
    m_message.lines.pop_back();
  }
  m_phase = Phase::kNone;
  m_listener.OnMessage(m_now, m_message);
  if (!m_message.accepted) return;

  ShowMessage(m_display, m_message);
  if (m_message.codes.flashMode == kFlashSave) {
    MessageCodes body = m_message.codes;
    body.flashMode = kFlashNothing;
    m_flash = EncodeMessageBody(body, m_message.text, m_message.blinkOffAtEnd);
    m_listener.OnFlash(m_now, SimFlashChange::kSaved, *m_flash);
  } else if (m_message.codes.flashMode == kFlashClear) {
    m_flash.reset();
    m_listener.OnFlash(m_now, SimFlashChange::kCleared, {});
  }
  std::sort(m_changedCards.begin(), m_changedCards.end());
  m_changedCards.erase(std::unique(m_changedCards.begin(), m_changedCards.end()), m_changedCards.end());
  for (int type : m_changedCards) m_listener.OnCard(m_now, m_cards.Card(type));
}

void MarqueeSim::FlushTextRun() {
  if (m_textRun.empty()) return;
  SimCodeEvent event;
  event.isText = true;
  event.status = m_message.accepted ? SimCodeStatus::kAccepted : SimCodeStatus::kIgnored;
  event.raw = m_textRun;
  m_listener.OnCode(m_now, event);
  m_textRun.clear();
}

bool MarqueeSim::Accepts(int group, int unit) const {
  if (unit == 0) return group == 0 || group == m_group;
  return group == m_group && unit == m_unit;
}

void MarqueeSim::Report(const ScanToken& token, bool valid, std::string_view meaning, std::vector<SimField> fields) {
  SimCodeEvent event;
  event.status = !m_message.accepted ? SimCodeStatus::kIgnored
                 : valid             ? SimCodeStatus::kAccepted
                                     : SimCodeStatus::kInvalid;
  event.raw = token.raw;
  event.meaning = meaning;
  event.fields = std::move(fields);
  m_listener.OnCode(m_now, event);
}

bool MarqueeSim::AddToText(std::string_view raw) {
  if (m_message.text.size() + raw.size() > kMaxMessageText) {
    m_message.textCut = true;
    return false;
  }
  m_message.text += raw;
  return true;
}

void MarqueeSim::ReadAddress(const ScanToken& token) {
  if (m_phase != Phase::kNone) FinishMessage();
  StartMessage();
  const int group = LeadingInt(token.raw.substr(2, 2));
  const int unit = LeadingInt(token.raw.substr(4, 4));
  m_message.group = group;
  m_message.unit = unit;
  m_message.addressKind = unit != 0    ? SimAddressKind::kUnit
                          : group != 0 ? SimAddressKind::kGroup
                                       : SimAddressKind::kBroadcast;
  m_message.accepted = Accepts(group, unit);
  const int mode = m_message.addressKind == SimAddressKind::kUnit    ? kAddressSpecificUnit
                   : m_message.addressKind == SimAddressKind::kGroup ? kAddressSpecificGroup
                                                                     : kAddressBroadcast;
  Report(token, true, kAddressModeNames[static_cast<size_t>(mode)], {{"group", Number(group)}, {"unit", Number(unit)}});
}

void MarqueeSim::ReadHeaderCode(const ScanToken& token) {
  EnterPhase(Phase::kHeader);
  m_message.showsSomething = true;
  MessageCodes& codes = m_message.codes;
  const int digit = LastDigit(token.raw);
  switch (token.code) {
    case SimCodeKind::kReset: {
      const bool valid = digit <= kHighestResetDigit;
      if (valid) codes.resetMode = digit + 1;
      Report(token, valid, valid ? kResetModeNames[static_cast<size_t>(digit + 1)] : "reset");
      break;
    }
    case SimCodeKind::kLineSize: {
      const bool valid = digit <= kHighestLineSizeDigit;
      if (valid) m_message.lineSize = digit;
      Report(token, valid, "line size", {{"size", Number(digit + 1)}});
      break;
    }
    case SimCodeKind::kCenter:
      codes.position = kPositionCenter;
      Report(token, true, kPositionNames[kPositionCenter]);
      break;
    case SimCodeKind::kStartingAt:
    case SimCodeKind::kStartingAtClearLine: {
      codes.position = kPositionStartingAt;
      codes.clearLine = token.code == SimCodeKind::kStartingAtClearLine;
      codes.line = LeadingInt(token.raw.substr(5, 2));
      codes.column = LeadingInt(token.raw.substr(7, 2));
      Report(
          token, true, kPositionNames[kPositionStartingAt],
          {{"line", Number(codes.line)}, {"column", Number(codes.column)}, {"clearline", codes.clearLine ? "1" : "0"}});
      break;
    }
    default: {  // kScroll
      const bool valid = digit <= 1;
      if (valid) {
        codes.effect = digit == 1 ? kEffectScrollRepeatedly : kEffectScrollOnce;
        m_effectSet = true;
      }
      Report(token, valid, valid ? kEffectNames[static_cast<size_t>(codes.effect)] : "scroll");
      break;
    }
  }
}

void MarqueeSim::ReadBlinkCode(const ScanToken& token) {
  const int digit = LastDigit(token.raw);
  const bool tail = digit == 0 && (m_phase >= Phase::kText || m_effectSet);
  if (tail) {
    EnterPhase(Phase::kTail);
    m_message.blinkOffAtEnd = true;
    Report(token, true, "Turn Blink Off at end");
    return;
  }
  EnterPhase(Phase::kHeader);
  m_message.showsSomething = true;
  const bool valid = digit <= 1;
  if (valid) {
    m_message.codes.effect = digit == 1 ? kEffectBlink : kEffectBlinkOff;
    m_effectSet = true;
  }
  Report(token, valid, valid ? kEffectNames[static_cast<size_t>(m_message.codes.effect)] : "blink");
}

void MarqueeSim::ReadInlineCode(const ScanToken& token) {
  EnterPhase(Phase::kText);
  m_message.showsSomething = true;
  const int digit = LastDigit(token.raw);
  bool valid = true;
  std::string_view meaning;
  std::vector<SimField> fields;
  switch (token.code) {
    case SimCodeKind::kSize:
      valid = digit <= kHighestSizeDigit;
      if (valid) m_attributes.size = digit + 1;
      meaning = "size";
      fields.push_back({"size", Number(digit + 1)});
      break;
    case SimCodeKind::kColor:
      valid = digit >= 1 && digit <= 3;
      meaning = valid ? kColorNames[digit - 1] : "colour";
      if (valid) m_attributes.color = kCodeColors[digit - 1];
      break;
    case SimCodeKind::kBlinkCharacters:
      valid = digit <= 1;
      meaning = digit == 1 ? "blink on" : digit == 0 ? "blink off" : "blink";
      if (valid) m_attributes.blink = digit;
      break;
    default:  // kNewLine
      meaning = "new line";
      break;
  }
  Report(token, valid, meaning, std::move(fields));
  if (!valid) return;
  m_endsWithNewLine = AddToText(token.raw) && token.code == SimCodeKind::kNewLine;
  if (m_endsWithNewLine) m_message.lines.emplace_back();
}

void MarqueeSim::ReadFlashCode(const ScanToken& token) {
  EnterPhase(Phase::kTail);
  const int digit = LastDigit(token.raw);
  const bool valid = digit <= 1;
  if (valid) m_message.codes.flashMode = digit + 1;
  Report(token, valid, valid ? kFlashModeNames[static_cast<size_t>(digit + 1)] : "flash");
  FinishMessage();
}

void MarqueeSim::ReadCardCode(const ScanToken& token) {
  if (m_phase == Phase::kNone) StartMessage();
  const CardCommand& command = kCardCommands[token.cardCommand];
  std::vector<SimField> fields = {{"card", m_cards.Card(command.card).params.GetNetworkName()}};
  if (token.raw.size() > 4) fields.push_back({"value", std::string(token.raw.substr(4))});
  const bool valid = !m_message.accepted || m_cards.Apply(command, token.raw, m_changedCards);
  Report(token, valid, command.meaning, std::move(fields));
}
