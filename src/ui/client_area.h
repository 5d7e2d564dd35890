#pragma once
#include <QWidget>
#include <optional>

#include "console/layout_rule.h"

// The window's client area below the menu: the grey rule and the console, placed by the
// layout rule on every resize. A size the rule cannot serve keeps the last placement, so the
// console comes back as it was when the window is restored.
class ClientArea : public QWidget {
 public:
  // `term` becomes a child of the client area.
  explicit ClientArea(QWidget* term, QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* term_;
  std::optional<Layout> layout_;
};
