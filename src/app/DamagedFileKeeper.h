#pragma once

#include <set>
#include <string>

// Data files that could not be read whole when the program started. The program writes its
// data files back when it closes; written over such a file, whatever was not read would be
// gone for good. So the original is copied aside first, and a file whose original could not
// be copied is never overwritten.
class CDamagedFileKeeper {
 public:
  // Copies the file at path beside it as "<path>.damaged" (or "<path>.damaged-2" up to
  // "-99" when earlier copies exist; no copy is ever replaced). Returns the copy's path, or
  // empty when no copy could be made (or path is not a regular file): path is then
  // protected from overwriting for the rest of the run.
  std::string KeepOriginal(const std::string& path);

  // False when path was protected by a KeepOriginal that could not copy it.
  bool MayOverwrite(const std::string& path) const { return m_protected.count(path) == 0; }

 private:
  std::set<std::string> m_protected;
};
