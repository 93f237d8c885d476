#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

// A fresh, empty folder under the system's temporary folder, named after the running test,
// the test process (a random number; two processes may run the same test at once) and a
// count (one test may hold several); removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir() {
    static const unsigned process = std::random_device{}();
    static int made = 0;
    const auto* test = ::testing::UnitTest::GetInstance();
    m_path = std::filesystem::temp_directory_path() /
             ("marquee_" + std::to_string(process) + "_" + test->current_test_info()->test_suite_name() + "_" +
              test->current_test_info()->name() + "_" + std::to_string(++made));
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
