#pragma once
#include <optional>

// Where the rule under the menu ends and where the console lies, in twips (15 to a pixel),
// for a client area of a given size. The rule sits 240 twips below the top of the client area
// and spans its width; the console starts 15 twips under it and reaches 30 twips below the
// client area, so its bottom border falls outside the window.
struct Layout {
  int rule_end_x;
  int term_left;
  int term_top;
  int term_width;
  int term_height;
};

constexpr int kTwipsPerPixel = 15;
constexpr int kRuleY = 240;

// No layout when the console would get a negative height (a minimised window, or one under
// 225 twips high): the window keeps the last layout until its size is usable again.
std::optional<Layout> LayoutRule(int client_width, int client_height);
