#pragma once

#include <array>
#include <cstdint>
#include <optional>

// One marquee model: a matrix of 8·lines dot rows by 6·charsPerLine dot columns.
struct MODEL_PROP {
  uint16_t lines;         // text lines
  uint16_t charsPerLine;  // size-1 characters per line
  int32_t tricolor;       // 0 = red only, 1 = tricolor

  bool operator==(const MODEL_PROP&) const = default;
};

struct MarqueeModel {
  const char* comboText;  // as the composer's "Preview" combo shows it
  MODEL_PROP prop;
};

constexpr int kMarqueeModelCount = 14;

// The models in combo order; the model index is the position in this table.
extern const std::array<MarqueeModel, kMarqueeModelCount> kMarqueeModels;

// The model at index 0 to 13; nothing for any other index.
std::optional<MODEL_PROP> FindMarqueeModel(int index);
