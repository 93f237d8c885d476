#pragma once

#include "common/BusyIndicator.h"

// Counts the busy indicator's begin and end calls.
class CountingBusy : public IBusyIndicator {
 public:
  void Begin() override { ++begun; }
  void End() override { ++ended; }
  int begun = 0;
  int ended = 0;
};
