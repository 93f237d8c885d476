#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Which gateway drives a sign that several gateways are configured with, decided from the
// retained owner and status topics every gateway reads. A sign is ours unless its owner of
// record is another gateway that is not known to be offline; so the first gateway to claim
// a sign keeps it, a gateway coming up later refuses it, and a sign whose owner went
// offline is taken over. When two gateways claim at the same moment, the smaller id wins
// and claims again, so the retained owner ends as the winner.
class SignOwnership {
 public:
  SignOwnership(std::string self, const std::vector<std::string>& signs);

  // What a gateway should do after news: publish its claim on some signs, and whether each
  // sign whose verdict changed is now driven here (owner empty) or by owner.
  struct Change {
    std::string sign;
    std::string owner;  // empty: driven here
  };
  struct Actions {
    std::vector<std::string> claim;
    std::vector<Change> changes;
  };

  // The retained owner of a sign, as published (empty: cleared).
  Actions OwnerSeen(const std::string& sign, const std::string& owner);
  // A gateway's status ("online", "offline").
  Actions StatusSeen(const std::string& gateway, const std::string& status);
  // Once the retained topics have arrived after a connect: claims every sign driven here.
  Actions Settled();

  bool Drives(std::string_view sign) const;
  // The gateway that drives a sign refused here; empty when it is driven here.
  std::string OwnerOf(std::string_view sign) const;

 private:
  Actions Decide();
  bool Online(const std::string& gateway) const;

  std::string m_self;
  std::set<std::string, std::less<>> m_signs;
  std::map<std::string, std::string, std::less<>> m_owners;    // retained owner per sign
  std::map<std::string, std::string, std::less<>> m_statuses;  // status per gateway
  std::map<std::string, std::string, std::less<>> m_refused;   // sign -> the gateway driving it
  bool m_settled = false;
};
