#include "gateway/Gateway.h"

// The engine arrives in the next commits; this first cut fixes the interface only.
class Gateway::Impl {
 public:
  Impl(GatewayConfig c, std::string dir) : config(std::move(c)), stateDir(std::move(dir)) {}
  GatewayConfig config;
  std::string stateDir;
};

Gateway::Gateway(GatewayConfig config, std::string stateDir)
    : m_impl(std::make_unique<Impl>(std::move(config), std::move(stateDir))) {}
Gateway::~Gateway() = default;
Status Gateway::Start() { return Status::Unsupported("the gateway engine is not built yet"); }
const GatewayConfig& Gateway::config() const { return m_impl->config; }
bool Gateway::Accepting() const { return false; }
std::vector<SignState> Gateway::Signs() const { return {}; }
std::optional<SignState> Gateway::Sign(std::string_view) const { return std::nullopt; }
SubmitResult Gateway::Submit(const SubmitTarget&, std::string_view, std::string_view) {
  return {{}, GatewayError{GatewayError::Kind::kUnavailable, "not_ready", "the engine is not built yet"}};
}
std::optional<MessageInfo> Gateway::Message(std::string_view) const { return std::nullopt; }
std::vector<LogRow> Gateway::Log(const LogQuery&) const { return {}; }
uint64_t Gateway::WhenFinished(std::string_view, FinishedCallback) { return 0; }
void Gateway::CancelWait(uint64_t) {}
std::vector<SignMetrics> Gateway::Metrics() const { return {}; }
uint64_t Gateway::SubscribeSignChanges(std::function<void(const SignState&)>) { return 0; }
void Gateway::Unsubscribe(uint64_t) {}
void Gateway::Shutdown(ShutdownCallback done) { done(); }
