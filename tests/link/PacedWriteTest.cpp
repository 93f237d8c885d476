#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "link/PacedWrite.h"

namespace {

// Records writes and pauses in one sequence: "w<char>" for a write, "p<ms>" for a pause.
struct Recorder {
  std::vector<std::string> events;
  size_t failAtWrite = SIZE_MAX;  // index of the write that fails

  LinkResult Write(char c) {
    size_t index =
        static_cast<size_t>(std::count_if(events.begin(), events.end(), [](auto& e) { return e[0] == 'w'; }));
    events.push_back(std::string{'w', c});
    return index == failAtWrite ? LinkResult::Serial(kLinkSendError) : LinkResult{};
  }
  LinkResult Run(std::string_view text) {
    return WriteWithCaretPauses(
        text, [this](char c) { return Write(c); },
        [this](std::chrono::milliseconds pause) {
          events.push_back(std::string(1, 'p').append(std::to_string(pause.count())));
        });
  }
};

}  // namespace

TEST(PacedWrite, OneWritePerCharacterAndAPauseBeforeEveryCaret) {
  Recorder recorder;
  EXPECT_TRUE(recorder.Run("^E1Hello^N").ok());
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"p10", "w^", "wE", "w1", "wH", "we", "wl", "wl", "wo", "p10", "w^", "wN"}));
}

TEST(PacedWrite, TrailingAndDoubledCaretsEachGetTheirPause) {
  Recorder recorder;
  EXPECT_TRUE(recorder.Run("A^^").ok());
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"wA", "p10", "w^", "p10", "w^"}));
}

TEST(PacedWrite, EmptyTextWritesNothingAndSucceeds) {
  Recorder recorder;
  EXPECT_TRUE(recorder.Run("").ok());
  EXPECT_TRUE(recorder.events.empty());
}

TEST(PacedWrite, StopsAtTheFirstFailedWrite) {
  Recorder recorder;
  recorder.failAtWrite = 2;
  LinkResult result = recorder.Run("AB^CD");
  EXPECT_EQ(result.code, kLinkSendError);
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"wA", "wB", "p10", "w^"}));
}
