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
                         testing::Values(SelectionCase{.name = "StartClampedToEnd",
                                                       .act = [](auto& b) { b.SetSelStart(99); },
                                                       .text = "abcdef",
                                                       .sel_start = 6,
                                                       .sel_length = 0},
                                         SelectionCase{.name = "LengthClampedToEnd",
                                                       .act =
                                                           [](auto& b) {
                                                             b.SetSelStart(4);
                                                             b.SetSelLength(99);
                                                           },
                                                       .text = "abcdef",
                                                       .sel_start = 4,
                                                       .sel_length = 2},
                                         SelectionCase{.name = "MovingStartShortensLength",
                                                       .act =
                                                           [](auto& b) {
                                                             b.SetSelStart(1);
                                                             b.SetSelLength(4);
                                                             b.SetSelStart(3);
                                                           },
                                                       .text = "abcdef",
                                                       .sel_start = 3,
                                                       .sel_length = 3},
                                         SelectionCase{.name = "SelTextReplacesAndPutsCaretAfter",
                                                       .act =
                                                           [](auto& b) {
                                                             b.SetSelStart(1);
                                                             b.SetSelLength(2);
                                                             b.SetSelText("XYZ");
                                                           },
                                                       .text = "aXYZdef",
                                                       .sel_start = 4,
                                                       .sel_length = 0},
                                         SelectionCase{.name = "EmptySelTextDeletes",
                                                       .act =
                                                           [](auto& b) {
                                                             b.SetSelStart(0);
                                                             b.SetSelLength(3);
                                                             b.SetSelText("");
                                                           },
                                                       .text = "def",
                                                       .sel_start = 0,
                                                       .sel_length = 0},
                                         SelectionCase{.name = "SetTextResetsSelection",
                                                       .act =
                                                           [](auto& b) {
                                                             b.SetSelStart(2);
                                                             b.SetSelLength(2);
                                                             b.SetText("xy");
                                                           },
                                                       .text = "xy",
                                                       .sel_start = 0,
                                                       .sel_length = 0}),
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
