#include "gateway/HttpReply.h"

#include "gateway/JsonError.h"

HttpReply HttpReply::Json(int status, const nlohmann::json& value) {
  return {status, "application/json", ToJsonBytes(value), {}};
}

HttpReply HttpReply::Error(int status, const std::string& error, const std::string& detail) {
  return {status, "application/json", JsonErrorBody(error, detail), {}};
}
