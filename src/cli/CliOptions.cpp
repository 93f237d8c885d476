#include "cli/CliOptions.h"

#include <algorithm>
#include <charconv>

CliOptions::CliOptions(std::initializer_list<std::string_view> valueOptions,
                       std::initializer_list<std::string_view> flags)
    : m_valueOptions(valueOptions.begin(), valueOptions.end()), m_flags(flags.begin(), flags.end()) {}

bool CliOptions::Parse(std::span<const std::string> args, std::string& error) {
  auto contains = [](const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      m_positional.insert(m_positional.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    }
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      m_positional.push_back(arg);
      continue;
    }
    if (contains(m_flags, arg)) {
      m_given[arg].emplace_back();
    } else if (contains(m_valueOptions, arg)) {
      if (i + 1 >= args.size()) {
        error = "option " + arg + " needs a value";
        return false;
      }
      m_given[arg].push_back(args[++i]);
    } else {
      error = "unknown option " + arg;
      return false;
    }
  }
  return true;
}

bool CliOptions::Has(std::string_view name) const {
  return m_given.find(name) != m_given.end();
}

std::optional<std::string> CliOptions::Value(std::string_view name) const {
  auto it = m_given.find(name);
  if (it == m_given.end()) return std::nullopt;
  return it->second.back();
}

std::vector<std::string> CliOptions::Values(std::string_view name) const {
  auto it = m_given.find(name);
  return it == m_given.end() ? std::vector<std::string>{} : it->second;
}

bool CliOptions::Int(std::string_view name, int& value, std::string& error) const {
  auto text = Value(name);
  if (!text) return true;
  if (!ParseWholeInt(*text, value)) {
    error = "option " + std::string(name) + " needs a whole number, got '" + *text + "'";
    return false;
  }
  return true;
}

bool ParseWholeInt(std::string_view text, int& value) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  int parsed = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return false;
  value = parsed;
  return true;
}
