#pragma once

#include <string>
#include <string_view>

// The brand variant the running copy shows. The same program ships under three brand
// names; the file "version.txt" in the current folder selects one by its number.

// The identity row of a variant.
struct BrandIdentity {
  int key;
  const char* applicationName;
};

// The details row of a variant: what the about box, the settings and the data files use.
struct BrandDetails {
  int key;
  const char* version;
  const char* webLine;
  const char* phoneLine;
  const char* companyLine;
  const char* copyrightLine;
  const char* messageDatabaseFile;
  const char* addressBookFile;
};

// The variant key written in the first bytes of "version.txt": at most the first two
// bytes count, read by atoi rules (leading blanks, an optional sign, the digits up to
// the first non-digit; 0 without digits). So "1\n" gives 1, " 2" 2, "x2" 0, "12" 12.
int VariantKeyFromBytes(std::string_view firstBytes);

// Selects the variant once, at construction, and never changes afterwards.
class CProgramLoader {
 public:
  // Reads "version.txt" in folder (empty: the current folder). A missing or unreadable
  // file, or one that is not a regular file, keeps defaultKey; a key without a variant
  // falls back to variant 0.
  explicit CProgramLoader(int defaultKey = 0, const std::string& folder = "");

  // The key of the selected variant (0, 1 or 2).
  int GetKey() const { return m_nKey; }
  const char* GetApplicationName() const { return m_pIdentity->applicationName; }
  std::string GetVersionText() const { return m_pDetails->version; }
  const BrandDetails& GetDetails() const { return *m_pDetails; }

  // The per-user settings key: "%s %s" of application name and version ("NorvMarquee 1.2.39").
  std::string GetSettingsKeyName() const;
  // The main window title: "%s - %s" of application name and version ("NorvMarquee - 1.2.39").
  std::string GetWindowTitle() const;

 private:
  const BrandIdentity* m_pIdentity;
  const BrandDetails* m_pDetails;
  int m_nKey;
};
