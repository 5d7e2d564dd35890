#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "console/text_box.h"

// The console's text and selection, held in memory. This is the console: the window's view
// only mirrors it, and the trace file is written from it. A change listener tells the view
// when to catch up, so a burst of writes costs the view one refresh.
class MemoryTextBox : public TextBox {
 public:
  const std::string& Text() const override { return text_; }
  void SetText(std::string text) override;
  std::size_t SelStart() const override { return sel_start_; }
  void SetSelStart(std::size_t pos) override;
  std::size_t SelLength() const override { return sel_length_; }
  void SetSelLength(std::size_t len) override;
  void SetSelText(std::string_view text) override;

  // `listener` runs after every change of the text or the selection; it replaces any earlier
  // listener.
  void OnChange(std::function<void()> listener);

 private:
  void Changed();

  std::string text_;
  std::size_t sel_start_ = 0;
  std::size_t sel_length_ = 0;
  std::function<void()> listener_;
};
