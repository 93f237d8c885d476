#include <gtest/gtest.h>

#include <map>

#include "LocalZone.h"
#include "live/MessageTemplate.h"

namespace {

using Values = std::map<std::string, std::string, std::less<>>;

VariableLookup From(const Values& values) {
  return [&values](std::string_view name) -> const std::string* {
    auto found = values.find(name);
    return found == values.end() ? nullptr : &found->second;
  };
}

std::string Filled(std::string_view text, const Values& values, std::time_t now = 0) {
  MessageTemplate tmpl;
  EXPECT_TRUE(tmpl.Parse(text).ok()) << text;
  std::string out;
  Status status = tmpl.Fill(From(values), now, out);
  return status.ok() ? out : "error: " + status.message();
}

TEST(MessageTemplate, MalformedPlaceholdersAreRefusedWithTheirPosition) {
  for (std::string_view text :
       {"{{x}}", "a{{var:}}", "{{var:a b}}", "{{time:%Q}}", "{{time:}}", "{{var:n:%n}}", "{{var:n:%d%d}}",
        "{{var:n:%999d}}", "{{var:n:%5.999f}}", "Count {{var:n", "{{var:n|^B1}}", "{{date:%Ec}}", "{{time:%H%}}"}) {
    MessageTemplate tmpl;
    Status status = tmpl.Parse(text);
    EXPECT_FALSE(status.ok()) << text;
    EXPECT_NE(status.message().find("byte"), std::string::npos) << status.message();
  }
}

TEST(MessageTemplate, FillsValuesInsideTheInlineCodes) {
  Values values = {{"count", "42"}, {"temp", "21.456"}, {"neg", "-3"}, {"name", "Line 1"}, {"raw", "42.0"}};
  EXPECT_EQ(Filled("^dC2Count ^dC3{{var:count:%05d}}", values), "^dC2Count ^dC300042");
  EXPECT_EQ(Filled("{{var:temp:%.1f}} C", values), "21.5 C");
  EXPECT_EQ(Filled("{{var:raw:%d}}", values), "42");  // a controller's "42.0" is a whole count
  EXPECT_EQ(Filled("{{var:neg:%+d}}/{{var:count:%x}}", values), "-3/2a");
  EXPECT_EQ(Filled("[{{var:name:%-8s}}]", values), "[Line 1  ]");
  EXPECT_EQ(Filled("{{var:missing|--}} {{var:missing:%03d|7}}", values), "-- 007");
  EXPECT_EQ(Filled("no placeholder {", values), "no placeholder {");
  EXPECT_EQ(Filled("{{var:missing}}", values), "error: variable missing has no value and no default");
  EXPECT_EQ(Filled("{{var:name:%d}}", values), "error: the value of name (\"Line 1\") is not a number");
  EXPECT_NE(Filled("{{var:neg:%u}}", values).find("out of range"), std::string::npos);
  EXPECT_NE(Filled("{{var:bad}}", {{"bad", "a^B1"}}).find("caret"), std::string::npos);
}

TEST(MessageTemplate, ReportsWhatItUses) {
  MessageTemplate tmpl;
  ASSERT_TRUE(tmpl.Parse("{{var:a}}{{var:b:%d}}{{var:a|0}}").ok());
  EXPECT_EQ(tmpl.Variables(), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(tmpl.UsesVariable("b"));
  EXPECT_FALSE(tmpl.UsesClock());
  EXPECT_EQ(tmpl.NextTick(1000), 0);
  ASSERT_TRUE(tmpl.Parse("plain text").ok());
  EXPECT_FALSE(tmpl.IsTemplate());
}

TEST(CheckVariableValue, RefusesWhatWouldNotStayText) {
  EXPECT_TRUE(CheckVariableValue("Shift 2: 1,234").ok());
  EXPECT_FALSE(CheckVariableValue("^Y1").ok());
  EXPECT_FALSE(CheckVariableValue("a\nb").ok());
  EXPECT_FALSE(CheckVariableValue(std::string(kMaxVariableValue + 1, 'x')).ok());
  EXPECT_TRUE(IsVariableName("line1.count_total-2"));
  EXPECT_FALSE(IsVariableName(std::string(65, 'a')));
}

using MessageTemplateClock = LocalZone;

TEST_F(MessageTemplateClock, FillsLocalTime) {
  EXPECT_EQ(Filled("{{date:%d.%m.%Y}} {{time:%H:%M}}", {}, Utc(2026, 3, 29, 0, 59)), "29.03.2026 01:59");
  EXPECT_EQ(Filled("{{time:%H:%M %Z}}", {}, Utc(2026, 3, 29, 1, 0)), "03:00 CEST");
}

TEST_F(MessageTemplateClock, TicksAtTheNextLocalChangeAcrossDaylightSaving) {
  MessageTemplate minutes;
  ASSERT_TRUE(minutes.Parse("{{time:%H:%M}}").ok());
  // 01:59:30 CET; the clocks jump to 03:00 CEST at the next minute.
  EXPECT_EQ(minutes.NextTick(Utc(2026, 3, 29, 0, 59, 30)), Utc(2026, 3, 29, 1, 0));
  // 02:30 CEST on the night back: the next minute is 02:31 CEST, not an hour later.
  EXPECT_EQ(minutes.NextTick(Utc(2026, 10, 25, 0, 30)), Utc(2026, 10, 25, 0, 31));

  MessageTemplate hours;
  ASSERT_TRUE(hours.Parse("{{time:%H}}h").ok());
  EXPECT_EQ(hours.NextTick(Utc(2026, 10, 25, 0, 30)), Utc(2026, 10, 25, 1, 0));  // 02:00 CET comes again
  EXPECT_EQ(hours.NextTick(Utc(2026, 10, 25, 1, 30)), Utc(2026, 10, 25, 2, 0));

  MessageTemplate days;
  ASSERT_TRUE(days.Parse("{{date:%A}}").ok());
  EXPECT_EQ(days.NextTick(Utc(2026, 3, 28, 23, 30)), Utc(2026, 3, 29, 22, 0));  // midnight CEST
  MessageTemplate seconds;
  ASSERT_TRUE(seconds.Parse("{{time:%T}} {{date:%F}}").ok());
  EXPECT_EQ(seconds.NextTick(500), 501);
}

}  // namespace
