#include <gtest/gtest.h>

#include <string>

#include "preview/MarqueeModels.h"

namespace {

// Each row's fields must say what its combo text says.
TEST(MarqueeModels, FieldsAgreeWithTheComboTexts) {
  for (const MarqueeModel& model : kMarqueeModels) {
    const std::string text = std::string(model.prop.tricolor ? "Tricolor " : "Red ") +
                             std::to_string(model.prop.lines) + " Line " + std::to_string(model.prop.charsPerLine) +
                             " Char";
    EXPECT_EQ(text, model.comboText);
    EXPECT_TRUE(model.prop.tricolor == 0 || model.prop.tricolor == 1);
  }
}

TEST(MarqueeModels, LookupByIndex) {
  EXPECT_EQ(FindMarqueeModel(0), (MODEL_PROP{1, 10, 0}));
  EXPECT_EQ(FindMarqueeModel(13), (MODEL_PROP{4, 40, 1}));
  EXPECT_FALSE(FindMarqueeModel(-1));
  EXPECT_FALSE(FindMarqueeModel(14));
}

}  // namespace
