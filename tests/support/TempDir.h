#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// A fresh, empty folder under the system's temporary folder, named after the running
// test; removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir() {
    const auto* test = ::testing::UnitTest::GetInstance();
    m_path = std::filesystem::temp_directory_path() /
             ("marquee_" + std::to_string(test->random_seed()) + "_" + test->current_test_info()->test_suite_name() +
              "_" + test->current_test_info()->name());
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }

  const std::filesystem::path& path() const { return m_path; }
  std::string PathOf(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};
