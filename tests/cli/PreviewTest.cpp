#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/CliRun.h"

namespace {

std::vector<std::string> Rows(const std::string& text) {
  std::vector<std::string> rows;
  std::istringstream in(text);
  for (std::string row; std::getline(in, row);) rows.push_back(row);
  return rows;
}

// The dot rows of one frame, all dark but `glyph` (rows of one character) at a
// dot position.
std::vector<std::string> Frame(size_t columns, size_t rows, const std::vector<std::string>& glyph = {},
                               size_t atColumn = 0, size_t atRow = 0) {
  std::vector<std::string> frame(rows, std::string(columns, '.'));
  for (size_t row = 0; row < glyph.size(); ++row) frame[atRow + row].replace(atColumn, glyph[row].size(), glyph[row]);
  return frame;
}

const std::vector<std::string> kA{"......", ".RRR..", "R...R.", "R...R.", "R...R.", "RRRRR.", "R...R.", "R...R."};
const std::vector<std::string> kH{"......", "R...R.", "R...R.", "R...R.", "RRRRR.", "R...R.", "R...R.", "R...R."};

std::vector<std::string> Recolor(std::vector<std::string> glyph, char letter) {
  for (std::string& row : glyph)
    for (char& dot : row)
      if (dot == 'R') dot = letter;
  return glyph;
}

TEST(PreviewCommand, DefaultsShowTheFirstPaintOfTheFirstModelCentred) {
  CliRun run = RunTool({"preview", "A"});
  EXPECT_EQ(run.exitCode, kExitOk) << run.err;
  // "Red 1 Line 10 Char": 60 × 8 dots; one character gets 4 blanks in front.
  EXPECT_EQ(Rows(run.out), Frame(60, 8, kA, 24));
}

TEST(PreviewCommand, ColoursShowOnTricolorModelsOnly) {
  const std::vector<std::string> greenThenYellow = Frame(120, 8, Recolor(kH, 'G'), 0);
  std::vector<std::string> expected = greenThenYellow;
  for (size_t row = 0; row < 8; ++row) expected[row].replace(6, 6, Recolor(kH, 'Y')[row]);
  EXPECT_EQ(Rows(RunTool({"preview", "--model", "8", "--position", "1", "^dC2H^dC3H"}).out), expected);

  std::vector<std::string> red = Frame(120, 8, kH, 0);
  for (size_t row = 0; row < 8; ++row) red[row].replace(6, 6, kH[row]);
  EXPECT_EQ(Rows(RunTool({"preview", "--model", "1", "--position", "1", "^dC2H^dC3H"}).out), red);
}

TEST(PreviewCommand, FramesFollowTheBlinkPhaseAndAreSeparatedByAnEmptyLine) {
  CliRun run = RunTool({"preview", "--position", "1", "--frames", "3", "^X1A"});
  std::vector<std::string> expected = Frame(60, 8);
  expected.push_back("");
  for (const std::string& row : Frame(60, 8, kA)) expected.push_back(row);
  expected.push_back("");
  for (const std::string& row : Frame(60, 8)) expected.push_back(row);
  EXPECT_EQ(Rows(run.out), expected);
}

TEST(PreviewCommand, ScrollingShiftsOneColumnPerFrame) {
  CliRun run = RunTool({"preview", "--position", "1", "--effect", "3", "--frames", "3", "HH"});
  const std::vector<std::string> rows = Rows(run.out);
  ASSERT_EQ(rows.size(), 3 * 8 + 2u);
  EXPECT_EQ(rows[4].substr(0, 12), "RRRRR.RRRRR.");       // shift 0
  EXPECT_EQ(rows[9 + 4].substr(0, 12), "RRRRR.......");   // shift 1
  EXPECT_EQ(rows[18 + 4].substr(0, 12), "............");  // shift 2: out of view
}

TEST(PreviewCommand, LinesAndStartingPosition) {
  EXPECT_EQ(Rows(RunTool({"preview", "--model", "2", "--position", "1", "A^NH"}).out), [] {
    auto frame = Frame(60, 16, kA);
    for (size_t row = 0; row < 8; ++row) frame[8 + row].replace(0, 6, kH[row]);
    return frame;
  }());
  EXPECT_EQ(Rows(RunTool({"preview", "--model", "5", "--position", "2", "--line", "2", "--column", "3", "H"}).out),
            Frame(120, 32, kH, 12, 8));
}

TEST(PreviewCommand, HorizontalBarPositionOnFortyCharacterModels) {
  EXPECT_EQ(Rows(RunTool({"preview", "--model", "4", "--position", "1", "--h", "2", "AH"}).out), Frame(120, 16, kH, 0));
}

TEST(PreviewCommand, UsageErrors) {
  const std::vector<std::vector<std::string>> bad{
      {"preview"},
      {"preview", "A", "B"},
      {"preview", "--model", "14", "A"},
      {"preview", "--position", "3", "A"},
      {"preview", "--effect", "5", "A"},
      {"preview", "--frames", "0", "A"},
      {"preview", "--h", "2", "A"},
      {"preview", "--model", "13", "--h", "22", "A"},
      {"preview", "--line", "x", "A"},
      {"preview", "--speed", "2", "A"},
  };
  for (const auto& args : bad) {
    CliRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, kExitUsage) << args[1];
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("usage: marquee preview"), std::string::npos) << run.err;
  }
}

}  // namespace
