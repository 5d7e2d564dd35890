#include "console/layout_rule.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(LayoutRule, PlacesRuleAndConsoleOrGivesNothing) {
  struct {
    int width;
    int height;
    std::optional<Layout> expected;
  } const cases[] = {
      {.width = 7260,
       .height = 3855,
       .expected = Layout{.rule_end_x = 7260,
                          .term_left = 0,
                          .term_top = 255,
                          .term_width = 7260,
                          .term_height = 3630}},
      {.width = 15000,
       .height = 9000,
       .expected = Layout{.rule_end_x = 15000,
                          .term_left = 0,
                          .term_top = 255,
                          .term_width = 15000,
                          .term_height = 8775}},
      {.width = 7260,
       .height = 225,
       .expected = Layout{.rule_end_x = 7260,
                          .term_left = 0,
                          .term_top = 255,
                          .term_width = 7260,
                          .term_height = 0}},
      {.width = 7260, .height = 224, .expected = std::nullopt},
      {.width = 0, .height = 0, .expected = std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const std::optional<Layout> layout = LayoutRule(c.width, c.height);
    ASSERT_EQ(layout.has_value(), c.expected.has_value());
    if (!layout) continue;
    EXPECT_EQ(layout->rule_end_x, c.expected->rule_end_x);
    EXPECT_EQ(layout->term_left, c.expected->term_left);
    EXPECT_EQ(layout->term_top, c.expected->term_top);
    EXPECT_EQ(layout->term_width, c.expected->term_width);
    EXPECT_EQ(layout->term_height, c.expected->term_height);
  }
}

}  // namespace
