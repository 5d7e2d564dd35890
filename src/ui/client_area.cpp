#include "ui/client_area.h"

#include <QColor>
#include <QPainter>
#include <QResizeEvent>

namespace {

constexpr int ToPixels(int twips) {
  return twips / kTwipsPerPixel;
}

}  // namespace

ClientArea::ClientArea(QWidget* term, QWidget* parent) : QWidget(parent), term_(term) {
  term_->setParent(this);
}

void ClientArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const std::optional<Layout> layout =
      LayoutRule(width() * kTwipsPerPixel, height() * kTwipsPerPixel);
  if (!layout) return;
  layout_ = layout;
  term_->setGeometry(ToPixels(layout->term_left), ToPixels(layout->term_top),
                     ToPixels(layout->term_width), ToPixels(layout->term_height));
  update();
}

void ClientArea::paintEvent(QPaintEvent* /*event*/) {
  if (!layout_) return;
  QPainter painter(this);
  painter.setPen(QColor(128, 128, 128));
  painter.drawLine(0, ToPixels(kRuleY), ToPixels(layout_->rule_end_x), ToPixels(kRuleY));
}
