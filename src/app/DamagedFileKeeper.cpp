#include "app/DamagedFileKeeper.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr int kMaxCopies = 99;

std::string CopyName(const std::string& path, int number) {
  return number == 1 ? path + ".damaged" : path + ".damaged-" + std::to_string(number);
}

}  // namespace

std::string CDamagedFileKeeper::KeepOriginal(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code kind;
  // Copying reads the file: a FIFO or a device would block or be read for ever.
  if (!fs::is_regular_file(path, kind)) {
    m_protected.insert(path);
    return {};
  }
  for (int number = 1; number <= kMaxCopies; ++number) {
    std::string copy = CopyName(path, number);
    std::error_code error;
    if (fs::exists(copy, error) || error) continue;
    // copy_options::none refuses to replace a file that appeared meanwhile: try the next name.
    if (fs::copy_file(path, copy, fs::copy_options::none, error)) return copy;
    if (error == std::errc::file_exists) continue;
    fs::remove(copy, error);  // a partial copy would pass for a whole one
    break;
  }
  m_protected.insert(path);
  return {};
}
