#include "app/SettingsStore.h"

#include <QSettings>
#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/QtText.h"

namespace {

const QString kIPInformation = QStringLiteral("IP Information");

struct IntValue {
  const char* name;
  int CAppState::*member;      // for the application's own members
  int CMsgSettings::*message;  // for the current message's attributes
  int low;
  int high;
};

// The composer's values in stored order, with the range a sound value lies in.
const IntValue kComposerValues[] = {
    {"Address", nullptr, &CMsgSettings::m_nAddressMode, kAddressBroadcast, kAddressDefault},
    {"GroupNumber", &CAppState::m_nGroupNumber, nullptr, 0, 15},
    {"UnitNumber", &CAppState::m_nUnitNumber, nullptr, 0, 4095},
    {"Position", nullptr, &CMsgSettings::m_nPosition, kPositionCenter, kPositionStartingAt},
    {"Line", nullptr, &CMsgSettings::m_nLine, 1, 8},
    {"Column", nullptr, &CMsgSettings::m_nColumn, 1, 40},
    {"Display Mode", nullptr, &CMsgSettings::m_nResetMode, kResetNothing, kResetClearLine},
    {"Effect", nullptr, &CMsgSettings::m_nEffect, kEffectDefault, kEffectScrollOnce},
    {"FlashStore Mode", nullptr, &CMsgSettings::m_nFlashMode, kFlashNothing, kFlashSave},
};

constexpr int kMaxBaudRate = 4'000'000;

int& Field(CAppState& state, const IntValue& value) {
  return value.member ? state.*value.member : state.m_MsgSettings.*value.message;
}
int Field(const CAppState& state, const IntValue& value) {
  return value.member ? state.*value.member : state.m_MsgSettings.*value.message;
}

// The stored whole number (a registry number, or the text of one in an INI file); nothing for
// anything else, fractions included.
std::optional<qlonglong> StoredInteger(const QVariant& value) {
  bool ok = false;
  qlonglong number = 0;
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
      number = value.toLongLong(&ok);
      break;
    case QMetaType::QString:
    case QMetaType::QByteArray:
      number = value.toString().trimmed().toLongLong(&ok);
      break;
    default:
      break;
  }
  return ok ? std::optional<qlonglong>(number) : std::nullopt;
}

// The stored integer, or fallback when it is missing, not an integer or outside low..high.
int ReadInt(const QSettings& settings, const QString& name, int fallback, int low, int high) {
  const std::optional<qlonglong> value = StoredInteger(settings.value(name));
  return value && *value >= low && *value <= high ? static_cast<int>(*value) : fallback;
}

// The stored text, or fallback when it is missing or not a single text (a list, say).
std::string ReadText(const QSettings& settings, const QString& name, const std::string& fallback) {
  const QVariant value = settings.value(name);
  if (!value.isValid() || value.typeId() == QMetaType::QStringList || !value.canConvert<QString>()) return fallback;
  return FromQString(value.toString());
}

QString MemberName(int index) {
  return QStringLiteral("IP Name %1 ").arg(index);
}
QString OctetName(int index, int octet) {
  return QStringLiteral("IP Address%1 %2").arg(index).arg(octet + 1);
}

}  // namespace

void ReadSettings(QSettings& settings, CAppState& state) {
  for (const IntValue& value : kComposerValues) {
    int& field = Field(state, value);
    field = ReadInt(settings, value.name, field, value.low, value.high);
  }
  std::string port = ReadText(settings, "COM Port Name", state.m_strPortName);
  if (!port.empty()) state.m_strPortName = std::move(port);
  state.m_nBaudRate = ReadInt(settings, "Baud Rate", state.m_nBaudRate, 1, kMaxBaudRate);
  state.m_SendTarget.m_strName = ReadText(settings, "Group Name", state.m_SendTarget.m_strName);
  const int count = static_cast<int>(
      std::clamp<qlonglong>(StoredInteger(settings.value("No of IP")).value_or(0), 0, kMaxStoredMembers));

  state.m_SendTarget.m_Members.clear();
  settings.beginGroup(kIPInformation);
  for (int i = 0; i < count; ++i) {
    CIPData member;
    member.m_strName = ReadText(settings, MemberName(i), member.m_strName);
    for (int octet = 0; octet < 4; ++octet) {
      member.m_Address[static_cast<size_t>(octet)] =
          static_cast<uint8_t>(StoredInteger(settings.value(OctetName(i, octet))).value_or(0) & 0xFF);
    }
    state.m_SendTarget.m_Members.push_back(std::move(member));
  }
  settings.endGroup();
}

void WriteComposerSettings(QSettings& settings, const CAppState& state) {
  for (const IntValue& value : kComposerValues) settings.setValue(value.name, Field(state, value));
  WriteLinkSettings(settings, state);
}

void WriteLinkSettings(QSettings& settings, const CAppState& state) {
  const CIPGroup& target = state.m_SendTarget;
  settings.setValue("COM Port Name", ToQString(state.m_strPortName));
  settings.setValue("Baud Rate", state.m_nBaudRate);
  settings.setValue("Group Name", ToQString(target.m_strName));
  settings.setValue("No of IP", static_cast<int>(target.m_Members.size()));
  settings.remove(kIPInformation);
  settings.beginGroup(kIPInformation);
  for (int i = 0; i < static_cast<int>(target.m_Members.size()); ++i) {
    const CIPData& member = target.m_Members[static_cast<size_t>(i)];
    settings.setValue(MemberName(i), ToQString(member.m_strName));
    for (int octet = 0; octet < 4; ++octet)
      settings.setValue(OctetName(i, octet), static_cast<int>(member.m_Address[static_cast<size_t>(octet)]));
  }
  settings.endGroup();
}
