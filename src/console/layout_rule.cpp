#include "console/layout_rule.h"

namespace {
// The console starts one pixel under the rule, and its height counts that pixel once more
// instead of taking it off: its bottom edge lies two pixels below the client area, out of
// sight with its border.
constexpr int kGap = kTwipsPerPixel;
}  // namespace

std::optional<Layout> LayoutRule(int client_width, int client_height) {
  const int term_height = client_height - kRuleY + kGap;
  if (term_height < 0) return std::nullopt;
  return Layout{.rule_end_x = client_width,
                .term_left = 0,
                .term_top = kRuleY + kGap,
                .term_width = client_width,
                .term_height = term_height};
}
