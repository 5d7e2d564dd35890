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
      {7260, 3855, Layout{7260, 0, 255, 7260, 3630}},
      {15000, 9000, Layout{15000, 0, 255, 15000, 8775}},
      {7260, 225, Layout{7260, 0, 255, 7260, 0}},
      {7260, 224, std::nullopt},
      {0, 0, std::nullopt},
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
