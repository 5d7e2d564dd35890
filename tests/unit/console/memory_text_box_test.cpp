#include "console/memory_text_box.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct SelectionCase {
  const char* name;
  std::function<void(MemoryTextBox&)> act;
  std::string text;
  std::size_t sel_start;
  std::size_t sel_length;
};

class SelectionTest : public testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionTest, FollowsTextBoxRules) {
  const SelectionCase& c = GetParam();
  MemoryTextBox box;
  box.SetText("abcdef");
  c.act(box);
  EXPECT_EQ(box.Text(), c.text);
  EXPECT_EQ(box.SelStart(), c.sel_start);
  EXPECT_EQ(box.SelLength(), c.sel_length);
}

INSTANTIATE_TEST_SUITE_P(Rules, SelectionTest,
                         testing::Values(SelectionCase{"StartClampedToEnd",
                                                       [](auto& b) { b.SetSelStart(99); }, "abcdef",
                                                       6, 0},
                                         SelectionCase{"LengthClampedToEnd",
                                                       [](auto& b) {
                                                         b.SetSelStart(4);
                                                         b.SetSelLength(99);
                                                       },
                                                       "abcdef", 4, 2},
                                         SelectionCase{"MovingStartShortensLength",
                                                       [](auto& b) {
                                                         b.SetSelStart(1);
                                                         b.SetSelLength(4);
                                                         b.SetSelStart(3);
                                                       },
                                                       "abcdef", 3, 3},
                                         SelectionCase{"SelTextReplacesAndPutsCaretAfter",
                                                       [](auto& b) {
                                                         b.SetSelStart(1);
                                                         b.SetSelLength(2);
                                                         b.SetSelText("XYZ");
                                                       },
                                                       "aXYZdef", 4, 0},
                                         SelectionCase{"EmptySelTextDeletes",
                                                       [](auto& b) {
                                                         b.SetSelStart(0);
                                                         b.SetSelLength(3);
                                                         b.SetSelText("");
                                                       },
                                                       "def", 0, 0},
                                         SelectionCase{"SetTextResetsSelection",
                                                       [](auto& b) {
                                                         b.SetSelStart(2);
                                                         b.SetSelLength(2);
                                                         b.SetText("xy");
                                                       },
                                                       "xy", 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MemoryTextBox, TellsItsListenerOfEveryChange) {
  MemoryTextBox box;
  int changes = 0;
  box.OnChange([&] { ++changes; });
  box.SetText("abc");
  box.SetSelStart(1);
  box.SetSelLength(1);
  box.SetSelText("x");
  EXPECT_EQ(changes, 4);
  box.OnChange(nullptr);
  box.SetText("");
  EXPECT_EQ(changes, 4);
}

}  // namespace
