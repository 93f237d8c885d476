#pragma once

// Shows that the program is busy during a blocking send (the wait cursor in the GUI,
// nothing in the command-line tool).
class IBusyIndicator {
 public:
  virtual ~IBusyIndicator() = default;
  virtual void Begin() = 0;
  virtual void End() = 0;
};

// Holds the indicator for one scope; a null indicator does nothing.
class BusyScope {
 public:
  explicit BusyScope(IBusyIndicator* indicator) : m_indicator(indicator) {
    if (m_indicator) m_indicator->Begin();
  }
  ~BusyScope() {
    if (m_indicator) m_indicator->End();
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  IBusyIndicator* m_indicator;
};
