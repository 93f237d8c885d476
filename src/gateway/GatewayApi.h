#pragma once

#include <optional>

#include "gateway/Gateway.h"
#include "gateway/HttpRequest.h"
#include "gateway/LiveSigns.h"

// The handlers of /api/v1, /metrics and /healthz over the engine: each reads its
// request, calls the engine and returns the answer (nothing when it answers later).
// Every refusal is a 4xx JSON error, and a refused request changes nothing.
class GatewayApi {
 public:
  // ?wait= takes at most this many seconds.
  static constexpr int kMaxWaitSeconds = 60;
  // preview.png?frame= is at most this.
  static constexpr int kMaxPreviewFrame = 1000;

  GatewayApi(Gateway& gateway, LiveSigns& live) : m_gateway(gateway), m_live(live) {}

  std::optional<HttpReply> Signs(const ApiRequest& request);
  std::optional<HttpReply> Sign(const ApiRequest& request);
  // params[0]: the sign's name.
  std::optional<HttpReply> PostToSign(const ApiRequest& request);
  // params[0]: the tag.
  std::optional<HttpReply> PostToTag(const ApiRequest& request);
  std::optional<HttpReply> Message(const ApiRequest& request);
  std::optional<HttpReply> Log(const ApiRequest& request);
  std::optional<HttpReply> Preview(const ApiRequest& request);
  std::optional<HttpReply> Metrics(const ApiRequest& request);
  std::optional<HttpReply> Health(const ApiRequest& request);
  // Template variables: GET /vars, PUT /vars/{name} with {"value": TEXT or NUMBER}.
  std::optional<HttpReply> Variables(const ApiRequest& request);
  std::optional<HttpReply> PutVariable(const ApiRequest& request);
  // GET and PUT /schedules: the entries as ScheduleJson.h gives them.
  std::optional<HttpReply> Schedules(const ApiRequest& request);
  std::optional<HttpReply> PutSchedules(const ApiRequest& request);
  // DELETE /messages/{id}: ends an interrupt.
  std::optional<HttpReply> CancelMessage(const ApiRequest& request);

 private:
  std::optional<HttpReply> Post(const ApiRequest& request, SubmitTarget target);

  Gateway& m_gateway;
  LiveSigns& m_live;
};
