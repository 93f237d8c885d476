#pragma once

#include "common/BusyIndicator.h"

// The wait cursor over the whole application while a send blocks the interface.
class WaitCursor : public IBusyIndicator {
 public:
  void Begin() override;
  void End() override;
};
