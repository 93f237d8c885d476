#include "preview/MarqueeModels.h"

const std::array<MarqueeModel, kMarqueeModelCount> kMarqueeModels{{
    {"Red 1 Line 10 Char", {1, 10, 0}},
    {"Red 1 Line 20 Char", {1, 20, 0}},
    {"Red 2 Line 10 Char", {2, 10, 0}},
    {"Red 2 Line 20 Char", {2, 20, 0}},
    {"Red 2 Line 40 Char", {2, 40, 0}},
    {"Red 4 Line 20 Char", {4, 20, 0}},
    {"Red 4 Line 40 Char", {4, 40, 0}},
    {"Tricolor 1 Line 10 Char", {1, 10, 1}},
    {"Tricolor 1 Line 20 Char", {1, 20, 1}},
    {"Tricolor 2 Line 10 Char", {2, 10, 1}},
    {"Tricolor 2 Line 20 Char", {2, 20, 1}},
    {"Tricolor 2 Line 40 Char", {2, 40, 1}},
    {"Tricolor 4 Line 20 Char", {4, 20, 1}},
    {"Tricolor 4 Line 40 Char", {4, 40, 1}},
}};

std::optional<MODEL_PROP> FindMarqueeModel(int index) {
  if (index < 0 || index >= kMarqueeModelCount) return std::nullopt;
  return kMarqueeModels[static_cast<size_t>(index)].prop;
}
