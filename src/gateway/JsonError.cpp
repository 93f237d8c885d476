#include "gateway/JsonError.h"

QByteArray ToJsonBytes(const nlohmann::json& value) {
  const std::string text = value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray JsonErrorBody(const std::string& error, const std::string& detail) {
  return ToJsonBytes({{"error", error}, {"detail", detail}});
}
