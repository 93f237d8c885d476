#pragma once

#include <string>
#include <utility>

// The outcome of a core operation that can fail. The core never shows messages:
// it returns a Status and the UI edge turns it into a prompt or a line on stderr.
enum class ErrorClass {
  None,         // success
  BadInput,     // the data (file, text, field) is malformed or out of range
  OsFailure,    // the system refused: open, read, write, rename
  Unsupported,  // valid request the system cannot carry out here
};

class Status {
 public:
  Status() = default;  // success

  static Status BadInput(std::string message) { return {ErrorClass::BadInput, std::move(message)}; }
  static Status OsFailure(std::string message) { return {ErrorClass::OsFailure, std::move(message)}; }
  static Status Unsupported(std::string message) { return {ErrorClass::Unsupported, std::move(message)}; }

  bool ok() const { return m_class == ErrorClass::None; }
  ErrorClass errorClass() const { return m_class; }
  // A technical description for logs and the command-line tool, in UTF-8 (a byte text
  // goes in through CodePageToUtf8); empty on success.
  const std::string& message() const { return m_message; }

 private:
  Status(ErrorClass errorClass, std::string message) : m_class(errorClass), m_message(std::move(message)) {}

  ErrorClass m_class = ErrorClass::None;
  std::string m_message;
};
