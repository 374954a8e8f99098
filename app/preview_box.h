#pragma once
// The preview picture box: keeps the image file bytes it is given exactly and shows the
// decoded image at natural size from its top-left corner inside a one-pixel border, unscaled;
// what does not fit is cut off.
#include <QFrame>
#include <QImage>
#include <cstdint>
#include <span>
#include <vector>

namespace vantrel::app {

class PreviewBox : public QFrame {
 public:
  explicit PreviewBox(QWidget* parent);

  // An empty block removes the picture. Bytes that are no image are kept but show nothing.
  void SetPicture(std::span<const std::uint8_t> bytes);
  // The block last given, unchanged; empty when none was given.
  const std::vector<std::uint8_t>& Picture() const { return bytes_; }
  // What is being shown, for checking the preview against its bytes.
  const QImage& ShownImage() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<std::uint8_t> bytes_;
  QImage image_;
};

}  // namespace vantrel::app
