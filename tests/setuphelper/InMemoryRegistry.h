#pragma once

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "setuphelper/LocalMachineRegistry.h"

// A local-machine registry held in memory: keys by exact path, each with named values of
// raw bytes (no zero added). Counts open keys so tests can check that every key is closed,
// and remembers the last path asked for.
class InMemoryRegistry : public ILocalMachineRegistry {
 public:
  using Values = std::map<std::string, std::string>;

  void AddKey(const std::string& keyPath, Values values = {}) { m_keys[keyPath] = std::move(values); }

  RegistryKeyHandle* OpenKey(const char* keyPath) const override {
    m_lastOpened = keyPath;
    auto key = m_keys.find(keyPath);
    if (key == m_keys.end()) return nullptr;
    ++m_openKeys;
    return reinterpret_cast<RegistryKeyHandle*>(const_cast<Values*>(&key->second));
  }

  bool QueryValue(RegistryKeyHandle* key, const char* valueName, char* data, std::uint32_t& size) const override {
    const Values& values = *reinterpret_cast<const Values*>(key);
    auto value = values.find(valueName);
    if (value == values.end()) return false;
    const auto valueSize = static_cast<std::uint32_t>(value->second.size());
    if (data != nullptr) {
      if (valueSize > size) return false;
      std::memcpy(data, value->second.data(), valueSize);
    }
    size = valueSize;
    return true;
  }

  void CloseKey(RegistryKeyHandle*) const override { --m_openKeys; }

  int OpenKeys() const { return m_openKeys; }
  const std::optional<std::string>& LastOpened() const { return m_lastOpened; }

 private:
  std::map<std::string, Values> m_keys;
  mutable int m_openKeys = 0;
  mutable std::optional<std::string> m_lastOpened;
};
