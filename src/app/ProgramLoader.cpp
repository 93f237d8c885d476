#include "app/ProgramLoader.h"

#include "common/FileIO.h"
#include "common/Text.h"

namespace {

constexpr BrandIdentity kIdentities[] = {
    {0, "NorvMarquee"},
    {1, "FerroMarquee"},
    {2, "MarlowMarquee"},
};

constexpr BrandDetails kDetails[] = {
    {0, "1.2.39", "Web: www.example.com", "Phone: +1 555 0100", "NorvAutomation a division of Quor",
     "Copyright (C) NorvAutomation. All rights reserved.", "NorvMarquee.nmd", "NorvMarqueeIP.nmd"},
    {1, "1.2.36", "Web: www.example.net", "Phone: +1 555 0136", "Calder Technology",
     "Copyright (C) Calder Technology. All rights reserved.", "FerroMarquee.nmd", "FerroMarqueeIP.nmd"},
    {2, "1.0", "Web: www.example.org", "Phone: +1 555 0142", "Hollis", "Copyright (C) Hollis. All rights reserved.",
     "MarlowMarquee.nmd", "MarlowMarqueeIP.nmd"},
};

constexpr size_t kVersionFileBytes = 2;

template <typename Row, size_t N>
const Row* FindRow(const Row (&rows)[N], int key) {
  for (const Row& row : rows)
    if (row.key == key) return &row;
  return nullptr;
}

// Sets key from "version.txt" in folder; false, leaving key alone, when the file cannot be
// read. Anything but a regular file (a FIFO, a device) counts as unreadable and is never
// opened, so start-up cannot block on it.
bool ReadVersionFileKey(const std::string& folder, int& key) {
  const FileContents file = ReadFileStart(folder.empty() ? "version.txt" : folder + "/version.txt", kVersionFileBytes);
  if (file.missing || !file.status.ok()) return false;
  key = VariantKeyFromBytes(file.bytes);
  return true;
}

}  // namespace

int VariantKeyFromBytes(std::string_view firstBytes) {
  return LeadingInt(firstBytes.substr(0, kVersionFileBytes));
}

CProgramLoader::CProgramLoader(int defaultKey, const std::string& folder) {
  int key = defaultKey;
  ReadVersionFileKey(folder, key);
  if (!FindRow(kIdentities, key) || !FindRow(kDetails, key)) key = 0;
  m_nKey = key;
  m_pIdentity = FindRow(kIdentities, key);
  m_pDetails = FindRow(kDetails, key);
}

std::string CProgramLoader::GetSettingsKeyName() const {
  return Format("%s %s", GetApplicationName(), GetVersionText().c_str());
}

std::string CProgramLoader::GetWindowTitle() const {
  return Format("%s - %s", GetApplicationName(), GetVersionText().c_str());
}
