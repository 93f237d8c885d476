#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Option parsing for the subcommands: "--name value" options, "--flag" switches and
// positional arguments; "--" ends the options. Unknown options are usage errors.
class CliOptions {
 public:
  CliOptions(std::initializer_list<std::string_view> valueOptions, std::initializer_list<std::string_view> flags);
  CliOptions(std::vector<std::string> valueOptions, std::vector<std::string> flags)
      : m_valueOptions(std::move(valueOptions)), m_flags(std::move(flags)) {}

  // False with a message in error on an unknown option or a missing value.
  bool Parse(std::span<const std::string> args, std::string& error);

  bool Has(std::string_view name) const;
  // The last value given for an option.
  std::optional<std::string> Value(std::string_view name) const;
  // Every value given for a repeatable option, in order.
  std::vector<std::string> Values(std::string_view name) const;
  bool Flag(std::string_view name) const { return Has(name); }
  const std::vector<std::string>& Positional() const { return m_positional; }

  // Reads an option as a whole decimal integer (optional sign). Leaves value unchanged
  // when the option is absent; false with a message when it is not a number.
  bool Int(std::string_view name, int& value, std::string& error) const;

 private:
  std::vector<std::string> m_valueOptions;
  std::vector<std::string> m_flags;
  std::map<std::string, std::vector<std::string>, std::less<>> m_given;
  std::vector<std::string> m_positional;
};

// Parses a whole decimal integer; false for anything else or a value outside int.
bool ParseWholeInt(std::string_view text, int& value);
