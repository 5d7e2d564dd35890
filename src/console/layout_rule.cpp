#include "console/layout_rule.h"

std::optional<Layout> LayoutRule(int client_width, int client_height) {
  const int term_height = client_height - kRuleY + 15;
  if (term_height < 0) return std::nullopt;
  return Layout{.rule_end_x = client_width,
                .term_left = 0,
                .term_top = kRuleY + 15,
                .term_width = client_width,
                .term_height = term_height};
}
