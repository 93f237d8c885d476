#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "gateway/MqttTopics.h"
#include "gateway/SignOwnership.h"

namespace {

TEST(MqttTopics, ReadsOnlyTheGatewaysOwnTopics) {
  using Kind = MqttInTopic::Kind;
  struct Case {
    const char* topic;
    std::optional<Kind> kind;
    const char* name;
  } cases[] = {
      {"plant/marquee/signs/line1/message/set", Kind::kSignMessage, "line1"},
      {"plant/marquee/tags/hall-a/message/set", Kind::kTagMessage, "hall-a"},
      {"plant/marquee/vars/count/set", Kind::kVariable, "count"},
      {"plant/marquee/signs/line1/owner", Kind::kOwner, "line1"},
      {"plant/marquee/gateways/gw-1/status", Kind::kGatewayStatus, "gw-1"},
      {"plant/marquee/signs/line1/state", std::nullopt, ""},
      {"plant/marquee/signs//message/set", std::nullopt, ""},
      {"plant/marquee/signs/a/b/message/set", std::nullopt, ""},
      {"plant/marqueex/signs/line1/owner", std::nullopt, ""},
      {"other/signs/line1/owner", std::nullopt, ""},
  };
  for (const Case& c : cases) {
    std::optional<MqttInTopic> in = ParseInTopic("plant/marquee", c.topic);
    ASSERT_EQ(in.has_value(), c.kind.has_value()) << c.topic;
    if (in) {
      EXPECT_EQ(in->kind, *c.kind) << c.topic;
      EXPECT_EQ(in->name, c.name);
    }
  }
}

TEST(MqttTopics, PayloadsBecomeSubmissions) {
  MqttCommand bare = CommandFromPayload("Line stopped\nCall 112");
  ASSERT_TRUE(bare.status.ok());
  EXPECT_EQ(nlohmann::json::parse(bare.body),
            nlohmann::json::parse(R"({"lines": [[{"text": "Line stopped", "size": 1, "color": "red"}],
                                                [{"text": "Call 112", "size": 1, "color": "red"}]]})"));
  MqttCommand json = CommandFromPayload(R"( {"id": "plc-7", "text": "^dC2Go"})");
  ASSERT_TRUE(json.status.ok());
  EXPECT_EQ(json.id, "plc-7");
  EXPECT_EQ(nlohmann::json::parse(json.body), nlohmann::json::parse(R"({"text": "^dC2Go"})"));
  EXPECT_EQ(CommandFromPayload("{not json").body, "{not json");  // the submission names the fault
  EXPECT_FALSE(CommandFromPayload(R"({"id": 7})").status.ok());
  EXPECT_FALSE(CommandFromPayload("caf\xe9").status.ok());  // not UTF-8
}

TEST(MqttTopics, DiscoveryIdsAreTopicLevelsHomeAssistantAccepts) {
  EXPECT_EQ(DiscoveryObjectId("hall-a_line1"), "ferromarquee_hall-a_line1");
  EXPECT_EQ(DiscoveryObjectId("hall.a"), "ferromarquee_hall_a");  // a '.' there hides the entity
}

// Two gateways, A and B, configured with the same sign.
TEST(SignOwnership, TheFirstClaimHoldsAndAnOfflineOwnerIsReplaced) {
  SignOwnership late("gw-b", {"line1", "line2"});
  late.StatusSeen("gw-a", "online");
  SignOwnership::Actions actions = late.OwnerSeen("line1", "gw-a");  // retained, from before
  ASSERT_EQ(actions.changes.size(), 1u);
  EXPECT_EQ(actions.changes[0].owner, "gw-a");
  EXPECT_EQ(late.Settled().claim, std::vector<std::string>{"line2"});
  EXPECT_FALSE(late.Drives("line1"));
  EXPECT_EQ(late.OwnerOf("line1"), "gw-a");

  actions = late.StatusSeen("gw-a", "offline");  // A's will
  EXPECT_EQ(actions.claim, std::vector<std::string>{"line1"});
  EXPECT_TRUE(late.Drives("line1"));
}

TEST(SignOwnership, SimultaneousClaimsEndWithTheSmallerId) {
  SignOwnership a("gw-a", {"line1"});
  SignOwnership b("gw-b", {"line1"});
  a.StatusSeen("gw-b", "online");
  b.StatusSeen("gw-a", "online");
  EXPECT_EQ(a.Settled().claim, std::vector<std::string>{"line1"});
  EXPECT_EQ(b.Settled().claim, std::vector<std::string>{"line1"});
  // Each sees the other's claim.
  EXPECT_EQ(a.OwnerSeen("line1", "gw-b").claim, std::vector<std::string>{"line1"});
  EXPECT_TRUE(b.OwnerSeen("line1", "gw-a").claim.empty());
  EXPECT_TRUE(a.Drives("line1"));
  EXPECT_FALSE(b.Drives("line1"));
  b.OwnerSeen("line1", "gw-a");
  EXPECT_FALSE(b.Drives("line1"));
}

}  // namespace
