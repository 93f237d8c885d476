#pragma once

#include <string>
#include <vector>

#include "gateway/Gateway.h"

// The counters in the Prometheus text exposition format (version 0.0.4): sends, failures
// and retries per sign, the queue depth per sign, the send duration histogram per sign
// (cumulative buckets in seconds), and whether the gateway accepts messages.
std::string MetricsText(const std::vector<SignMetrics>& signs, bool accepting);
