#include "gateway/MetricsText.h"

#include <cstdio>
#include <iterator>

namespace {

// A label value: backslash, double quote and line feed escaped.
std::string Label(const std::string& sign) {
  std::string out = "{sign=\"";
  for (char c : sign) {
    if (c == '\\' || c == '"') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

void Family(std::string& out, const char* name, const char* type, const char* help) {
  out += std::string("# HELP ") + name + ' ' + help + "\n# TYPE " + name + ' ' + type + '\n';
}

template <typename Value>
void PerSign(std::string& out, const std::vector<SignMetrics>& signs, const char* name, const char* type,
             const char* help, Value value) {
  Family(out, name, type, help);
  for (const SignMetrics& sign : signs) out += name + Label(sign.sign) + "} " + std::to_string(value(sign)) + '\n';
}

}  // namespace

std::string MetricsText(const std::vector<SignMetrics>& signs, bool accepting) {
  std::string out;
  Family(out, "marquee_gateway_accepting", "gauge", "1 while the gateway accepts messages.");
  out += std::string("marquee_gateway_accepting ") + (accepting ? "1" : "0") + '\n';
  PerSign(out, signs, "marquee_gateway_sends_total", "counter", "Send attempts the sign took whole.",
          [](const SignMetrics& s) { return s.sends; });
  PerSign(out, signs, "marquee_gateway_failures_total", "counter", "Send attempts that failed.",
          [](const SignMetrics& s) { return s.failures; });
  PerSign(out, signs, "marquee_gateway_retries_total", "counter", "Send attempts after the first of a message.",
          [](const SignMetrics& s) { return s.retries; });
  PerSign(out, signs, "marquee_gateway_queue_depth", "gauge", "Messages queued or being sent.",
          [](const SignMetrics& s) { return s.queueDepth; });

  const char* histogram = "marquee_gateway_send_duration_seconds";
  Family(out, histogram, "histogram", "Duration of send attempts.");
  for (const SignMetrics& sign : signs) {
    const std::string label = Label(sign.sign);
    uint64_t cumulative = 0;
    for (size_t i = 0; i < std::size(kDurationBucketsMs); ++i) {
      if (i < sign.durationBuckets.size()) cumulative += sign.durationBuckets[i];
      out += std::string(histogram) + "_bucket" + label + ",le=\"" +
             Number(static_cast<double>(kDurationBucketsMs[i]) / 1000) + "\"} " + std::to_string(cumulative) + '\n';
    }
    for (size_t i = std::size(kDurationBucketsMs); i < sign.durationBuckets.size(); ++i)
      cumulative += sign.durationBuckets[i];
    out += std::string(histogram) + "_bucket" + label + ",le=\"+Inf\"} " + std::to_string(cumulative) + '\n';
    out += std::string(histogram) + "_sum" + label + "} " + Number(sign.durationSumSeconds) + '\n';
    out += std::string(histogram) + "_count" + label + "} " + std::to_string(cumulative) + '\n';
  }
  return out;
}
