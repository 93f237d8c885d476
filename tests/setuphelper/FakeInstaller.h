#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "setuphelper/InstallerStack.h"

// Stands in for the installer: its variable block (25 variables of variableSize characters,
// each filled with a marker, between guard bytes) and its string stack, whose nodes come from
// a tracked allocator that plays the installer's global-memory allocator. Nodes are allocated
// with exactly variableSize bytes of text, tighter than the installer does, so that any read
// past a node's text is caught by AddressSanitizer.
class FakeInstaller {
 public:
  static constexpr std::size_t kGuardSize = 64;
  static constexpr char kGuard = '\xAB';
  static constexpr char kMarker = '#';

  explicit FakeInstaller(int variableSize)
      : m_variableSize(variableSize),
        m_block(2 * kGuardSize + kInstallerVariableCount * static_cast<std::size_t>(variableSize), kGuard) {
    std::memset(Variables(), kMarker, kInstallerVariableCount * static_cast<std::size_t>(variableSize));
  }

  ~FakeInstaller() {
    while (m_top != nullptr) {
      InstallerStackNode* next = m_top->next;
      GlobalFree(m_top);
      m_top = next;
    }
  }

  FakeInstaller(const FakeInstaller&) = delete;
  FakeInstaller& operator=(const FakeInstaller&) = delete;

  // Pushes text as the installer does: truncated to one variable including its zero.
  void Push(std::string_view text) {
    char* nodeText = NewNode()->text;
    if (m_variableSize < 1) return;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(m_variableSize) - 1);
    std::memcpy(nodeText, text.data(), length);
    nodeText[length] = '\0';
  }

  // Pushes a node whose text fills the whole variable with `filler` and has no zero.
  void PushUnterminated(char filler) { std::memset(NewNode()->text, filler, static_cast<std::size_t>(m_variableSize)); }

  // The installer's global-memory allocator's free; only blocks it handed out may come back.
  static void GlobalFree(void* block) {
    if (LiveBlocks().erase(block) == 0) {
      ADD_FAILURE() << "freed a block that the installer's allocator did not hand out";
      return;
    }
    std::free(block);
  }
  static bool IsLive(const void* block) { return LiveBlocks().count(const_cast<void*>(block)) != 0; }

  int VariableSize() const { return m_variableSize; }
  char* Variables() { return m_block.data() + kGuardSize; }
  InstallerStackNode** StackTop() { return &m_top; }
  InstallerStackNode* Top() const { return m_top; }

  // Variable `index` up to its zero, or all of it when it has none.
  std::string Variable(int index) const {
    const char* start =
        m_block.data() + kGuardSize + static_cast<std::size_t>(index) * static_cast<std::size_t>(m_variableSize);
    return std::string(start, strnlen(start, static_cast<std::size_t>(m_variableSize)));
  }
  std::string UntouchedVariable() const { return std::string(static_cast<std::size_t>(m_variableSize), kMarker); }

  // True when the guard bytes on both sides of the variable block are as they were.
  bool GuardsIntact() const {
    for (std::size_t i = 0; i < kGuardSize; ++i) {
      if (m_block[i] != kGuard || m_block[m_block.size() - 1 - i] != kGuard) return false;
    }
    return true;
  }

  // True when nothing was written outside variable 0 (guards and the other 24 variables).
  bool OnlyVariableZeroWritten() const {
    if (!GuardsIntact()) return false;
    for (int index = 1; index < kInstallerVariableCount; ++index) {
      if (Variable(index) != UntouchedVariable()) return false;
    }
    return true;
  }

 private:
  static std::set<void*>& LiveBlocks() {
    static std::set<void*> blocks;
    return blocks;
  }

  InstallerStackNode* NewNode() {
    const std::size_t size = offsetof(InstallerStackNode, text) + static_cast<std::size_t>(m_variableSize);
    auto* node = static_cast<InstallerStackNode*>(std::calloc(1, size));
    LiveBlocks().insert(node);
    node->next = m_top;
    m_top = node;
    return node;
  }

  int m_variableSize;
  std::vector<char> m_block;
  InstallerStackNode* m_top = nullptr;
};
