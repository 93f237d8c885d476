#pragma once

#include <QByteArray>
#include <QUrlQuery>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gateway/HttpReply.h"

// A request as the API handlers see it: the path's {placeholders} in order, the query, the
// body, and a way to answer later instead of returning the answer.
struct ApiRequest {
  std::vector<std::string> params;
  QUrlQuery query;
  QByteArray body;
  // Takes over the answer: the handler returns nothing and calls the function once, on the
  // event loop, when the answer is ready. If the client has gone by then, nothing is sent.
  std::function<std::function<void(HttpReply)>()> defer;
};
