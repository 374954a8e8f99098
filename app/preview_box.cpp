#include "app/preview_box.h"

#include <QPainter>

namespace vantrel::app {

PreviewBox::PreviewBox(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
}

void PreviewBox::SetPicture(std::span<const std::uint8_t> bytes) {
  bytes_.assign(bytes.begin(), bytes.end());
  image_ = bytes_.empty() ? QImage()
                          : QImage::fromData(bytes_.data(), static_cast<int>(bytes_.size()));
  update();
}

void PreviewBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (image_.isNull()) return;
  QPainter painter(this);
  const QRect inside = contentsRect();
  painter.setClipRect(inside);
  painter.drawImage(inside.topLeft(), image_);
}

}  // namespace vantrel::app
