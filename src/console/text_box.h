#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The console's multi-line text box, addressed only through its text and its selection.
// Positions count bytes from 0; the text is 8-bit bytes with CR LF line ends.
class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual const std::string& Text() const = 0;
  virtual void SetText(std::string text) = 0;
  virtual std::size_t SelStart() const = 0;
  // Positions past the end are clamped to the end, as a text box does.
  virtual void SetSelStart(std::size_t pos) = 0;
  virtual std::size_t SelLength() const = 0;
  virtual void SetSelLength(std::size_t len) = 0;
  // Replaces the selection; the caret then stands after the inserted text.
  virtual void SetSelText(std::string_view text) = 0;
};
