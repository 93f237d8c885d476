#include "database/MessageRow.h"

namespace {

using CellText = std::string (*)(const CMsgObjDBList&);

constexpr std::array<CellText, kMessageColumns.size()> kCellTexts = {
    [](const CMsgObjDBList& r) { return r.GetSummaryText(); },
    [](const CMsgObjDBList& r) { return CMsgObjDBList::GetAddressModeName(r.m_nAddressMode); },
    [](const CMsgObjDBList& r) { return std::to_string(r.m_nGroup); },
    [](const CMsgObjDBList& r) { return std::to_string(r.m_nUnit); },
    [](const CMsgObjDBList& r) { return CMsgObjDBList::GetPositionName(r.m_nPosition); },
    [](const CMsgObjDBList& r) { return std::to_string(r.m_nLine); },
    [](const CMsgObjDBList& r) { return std::to_string(r.m_nColumn); },
    [](const CMsgObjDBList& r) { return CMsgObjDBList::GetResetModeName(r.m_nResetMode); },
    [](const CMsgObjDBList& r) { return CMsgObjDBList::GetEffectName(r.m_nEffect); },
    [](const CMsgObjDBList& r) { return CMsgObjDBList::GetFlashModeName(r.m_nFlashMode); },
};

}  // namespace

std::string GetMessageCellText(const CMsgObjDBList& record, int column) {
  if (column < 0 || static_cast<size_t>(column) >= kCellTexts.size()) return {};
  return kCellTexts[static_cast<size_t>(column)](record);
}
