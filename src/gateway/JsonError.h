#pragma once

#include <QByteArray>
#include <nlohmann/json.hpp>
#include <string>

// The gateway's JSON at the HTTP edge: compact, and text that is not UTF-8 is replaced
// rather than refused, so an answer can always be written.
QByteArray ToJsonBytes(const nlohmann::json& value);

// The body of every error answer: {"error": CODE, "detail": TEXT}. CODE is a short
// machine-readable word ("bad_json", "unknown_sign"), TEXT says what was wrong for a person.
QByteArray JsonErrorBody(const std::string& error, const std::string& detail);
