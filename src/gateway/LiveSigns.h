#pragma once

#include <QObject>
#include <QTimer>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gateway/Gateway.h"
#include "gateway/LiveStore.h"
#include "live/MessageTemplate.h"
#include "live/RefreshGate.h"
#include "live/Schedule.h"

// What each sign shows over time, over the gateway's queues: templates filled with
// variables and the clock, schedule entries, and interrupts. Front ends submit through
// this layer instead of the gateway itself.
//
// A sign shows, of what is active for it, the interrupt or schedule entry of highest
// priority (an interrupt wins a tie), or else its base message: the last message posted
// to it without a priority. A message posted with "priority" is an interrupt: it shows
// at once when it outranks what is active, and when it expires ("expires") or is
// cancelled the sign returns to what the schedule says then. A base message posted while
// something outranks it is kept and shown when that ends ("held").
//
// A message whose text (or "raw") holds placeholders is a template (live/MessageTemplate.h):
// it is filled when it is shown and filled again when a variable it uses changes or its
// clock ticks; the refill is sent only when it differs from what the sign was sent last,
// at most once per refresh interval, and never with "save to flash".
class LiveSigns : public QObject {
  Q_OBJECT

 public:
  LiveSigns(Gateway& gateway, std::vector<ScheduleEntry> schedules, int refreshIntervalMs, QObject* parent = nullptr);
  ~LiveSigns() override;

  // Opens live.db in the state folder (variables, schedules set over the API, interrupts
  // and base messages), then brings every sign to what it should show now.
  Status Start(const std::string& stateDir);

  // As Gateway::Submit, with "priority" (0 to 1000) for an interrupt and placeholders in
  // the text. held lists the signs whose base message waits behind something higher.
  // clientId (a publisher's id of the command) makes a second submission with that id
  // answer with what the first one stored, instead of storing it again.
  struct Submission {
    SubmitResult result;
    std::vector<std::string> held;
  };
  Submission Submit(const SubmitTarget& target, std::string_view body, std::string_view source,
                    std::string_view clientId = {});
  Submission SubmitOnce(const SubmitTarget& target, std::string_view body, std::string_view source);

  // Sets a variable (UTF-8) and refreshes the signs whose template uses it.
  Status SetVariable(const std::string& name, const std::string& value);
  std::map<std::string, std::string> Variables() const { return m_variables; }

  std::vector<ScheduleEntry> Schedules() const { return m_schedules; }
  // Replaces the schedule entries (each checked first; on an error nothing changes).
  Status SetSchedules(std::vector<ScheduleEntry> entries);

  // Another gateway drives the sign (owner set) or this one does again (owner empty):
  // submissions for it are refused and those for its tags leave it out.
  void SetSignOwner(const std::string& sign, const std::string& owner);
  std::string OwnerOf(std::string_view sign) const;

  // Ends an interrupt early by its message id; false when no interrupt has that id.
  bool CancelInterrupt(std::string_view messageId);

  // What a sign shows and why: {"source": "interrupt"|"schedule"|"message"|"none", "id",
  // "priority", "until"}.
  nlohmann::json Active(std::string_view sign) const;

 private:
  struct Shown {
    ActiveChoice::Source source = ActiveChoice::Source::None;
    std::string id;
    bool operator==(const Shown&) const = default;
  };
  struct LiveSign {
    std::string name;
    std::vector<std::string> tags;
    std::string owner;     // another gateway that drives it; empty: this one
    std::string baseBody;  // the last message without a priority, as posted
    std::string baseId;
    std::vector<Interrupt> interrupts;  // message: the body as posted; id: its message id
    Shown shown;
    std::unique_ptr<RefreshGate> gate;
    std::unique_ptr<QTimer> timer;
  };

  LiveSign* Find(std::string_view name);
  std::vector<LiveSign*> Targets(const SubmitTarget& target);
  // The body with its placeholders filled (and, for a refresh, no save to flash).
  Status Fill(const std::string& body, bool refresh, std::string& filled) const;
  void Evaluate(LiveSign& sign);
  void Persist(const LiveSign& sign);

  Gateway& m_gateway;
  std::vector<ScheduleEntry> m_schedules;
  int m_refreshIntervalMs;
  std::map<std::string, std::string> m_variables;
  std::vector<std::unique_ptr<LiveSign>> m_signs;
  LiveStore m_store;
};
