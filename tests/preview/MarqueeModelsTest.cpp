#include <gtest/gtest.h>

#include <string>

#include "preview/MarqueeModels.h"

namespace {

TEST(MarqueeModels, FourteenModelsInComboOrder) {
  const char* expected[] = {"Red 1 Line 10 Char",      "Red 1 Line 20 Char",      "Red 2 Line 10 Char",
                            "Red 2 Line 20 Char",      "Red 2 Line 40 Char",      "Red 4 Line 20 Char",
                            "Red 4 Line 40 Char",      "Tricolor 1 Line 10 Char", "Tricolor 1 Line 20 Char",
                            "Tricolor 2 Line 10 Char", "Tricolor 2 Line 20 Char", "Tricolor 2 Line 40 Char",
                            "Tricolor 4 Line 20 Char", "Tricolor 4 Line 40 Char"};
  for (int index = 0; index < kMarqueeModelCount; ++index)
    EXPECT_STREQ(kMarqueeModels[static_cast<size_t>(index)].comboText, expected[index]);
}

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
