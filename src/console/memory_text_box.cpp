#include "console/memory_text_box.h"

#include <algorithm>
#include <utility>

void MemoryTextBox::SetText(std::string text) {
  text_ = std::move(text);
  sel_start_ = 0;
  sel_length_ = 0;
  Changed();
}

void MemoryTextBox::SetSelStart(std::size_t pos) {
  sel_start_ = std::min(pos, text_.size());
  sel_length_ = std::min(sel_length_, text_.size() - sel_start_);
  Changed();
}

void MemoryTextBox::SetSelLength(std::size_t len) {
  sel_length_ = std::min(len, text_.size() - sel_start_);
  Changed();
}

void MemoryTextBox::SetSelText(std::string_view text) {
  text_.replace(sel_start_, sel_length_, text);
  sel_start_ += text.size();
  sel_length_ = 0;
  Changed();
}

void MemoryTextBox::OnChange(std::function<void()> listener) {
  listener_ = std::move(listener);
}

void MemoryTextBox::Changed() {
  if (listener_) listener_();
}
