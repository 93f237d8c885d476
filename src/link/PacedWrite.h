#pragma once

#include <chrono>
#include <functional>
#include <string_view>

#include "link/LinkResult.h"

// Waits for a duration; the real one sleeps the calling thread, tests record instead.
using Sleeper = std::function<void(std::chrono::milliseconds)>;
void SleepFor(std::chrono::milliseconds duration);

// The marquee needs time to take in each command before its caret arrives.
inline constexpr std::chrono::milliseconds kCaretPause{10};

// Writes text one character per call of writeOne, sleeping kCaretPause before every '^'
// (so never after the last character). Stops at the first failed write and returns its
// result; returns success when every character was written (also for empty text).
LinkResult WriteWithCaretPauses(std::string_view text, const std::function<LinkResult(char)>& writeOne,
                                const Sleeper& sleep);
