#include "message/CMsgObjDBList.h"

#include "common/Text.h"
#include "message/InlineCodes.h"
#include "message/StoredLine.h"

namespace {

constexpr size_t kBlockHeaderSize = 4;  // length word and address word

template <size_t N>
std::string NameOf(const std::array<std::string_view, N>& names, int value) {
  bool known = value >= 0 && static_cast<size_t>(value) < N;
  return std::string(names[known ? static_cast<size_t>(value) : 0]);
}

uint8_t PaddingFor(size_t bodyLength) {
  return static_cast<uint8_t>((4 - (kBlockHeaderSize + bodyLength) % 4) % 4);
}

void AppendBE16(std::string& out, unsigned value) {
  out += static_cast<char>((value >> 8) & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

}  // namespace

std::string CMsgObjDBList::GetAddressModeName(int value) {
  return NameOf(kAddressModeNames, value);
}
std::string CMsgObjDBList::GetPositionName(int value) {
  return NameOf(kPositionNames, value);
}
std::string CMsgObjDBList::GetEffectName(int value) {
  return NameOf(kEffectNames, value);
}
std::string CMsgObjDBList::GetResetModeName(int value) {
  return NameOf(kResetModeNames, value);
}
std::string CMsgObjDBList::GetFlashModeName(int value) {
  return NameOf(kFlashModeNames, value);
}

std::string CMsgObjDBList::GetSummaryText() const {
  return SummaryOfInlineText(m_strText[0]);
}

std::string CMsgObjDBList::EncodeLine(size_t slot) const {
  return EncodeMessageBody(Codes(), m_strText[slot], false);
}

std::string CMsgObjDBList::ParseLine(std::string_view storedLine) {
  MessageCodes codes = Codes();
  std::string text = ParseStoredLine(storedLine, codes);
  SetCodes(codes);
  return text;
}

void CMsgObjDBList::WriteBlock(std::string& out) const {
  size_t start = out.size();
  AppendBE16(out, 0);  // the length word, known once the body is written
  AppendBE16(out, ((m_nGroup & 0xFu) << 12) | (m_nUnit & 0xFFFu));
  AppendFramedLine(out, EncodeLine(0));
  out.append(PaddingFor(out.size() - start - kBlockHeaderSize), '\0');
  size_t blockSize = out.size() - start;
  out[start] = static_cast<char>((blockSize >> 8) & 0xFF);
  out[start + 1] = static_cast<char>(blockSize & 0xFF);
}

Status CMsgObjDBList::ReadBlock(ByteReader& reader) {
  size_t start = reader.position();
  uint16_t lengthWord = 0;
  uint16_t addressWord = 0;
  std::string storage;
  std::string_view line;
  bool whole = reader.ReadBE16(lengthWord) && reader.ReadBE16(addressWord) && ReadFramedLine(reader, storage, line);
  uint8_t padCount = whole ? PaddingFor(reader.position() - start - kBlockHeaderSize) : 0;
  if (!whole || !reader.Skip(padCount)) return Status::BadInput(Format("block at byte %zu is cut short", start));
  size_t blockSize = reader.position() - start;
  if (lengthWord != (blockSize & 0xFFFF))
    return Status::BadInput(Format("block at byte %zu: its length word says %u bytes, its contents take %zu", start,
                                   lengthWord, blockSize));

  m_nGroup = static_cast<uint16_t>(addressWord >> 12);
  m_nUnit = static_cast<uint16_t>(addressWord & 0xFFF);
  m_nAddressMode = m_nUnit != 0 ? kAddressSpecificUnit : m_nGroup != 0 ? kAddressSpecificGroup : kAddressBroadcast;
  m_strText[0] = ParseLine(line);
  return {};
}

void ClearMessageList(CMsgList& messages) {
  messages.clear();
}
