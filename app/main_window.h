#pragma once
// The one window: the content and size fields, the preview and the two command buttons.
// Controls carry their layout names as object names, so they can be found by them.
#include <QWidget>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/dialog/open_file_name.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel::app {

class PreviewBox;

class MainWindow : public QWidget {
 public:
  // Frame, caption included.
  static constexpr QSize kOuterSize{379, 466};

  MainWindow();

  // What the commands use of the window.
  static std::string ReadText(const QLineEdit& control);
  static void WriteText(QLineEdit& control, std::string_view text);
  void SetPreviewPicture(std::span<const std::uint8_t> bytes);
  const std::vector<std::uint8_t>& PreviewPicture() const;
  platform::dialog::HWND WindowHandle();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void BuildControls();
  // Keeps the outer size at kOuterSize whatever frame the window system draws.
  void FitToOuterSize();
  void CentreOnScreen();

  void OnGenerateClicked();
  void OnSaveClicked();

  QGroupBox* 分组框1 = nullptr;
  QLabel* 标签1 = nullptr;
  QLineEdit* 编辑框1 = nullptr;
  QLabel* 标签2 = nullptr;
  QLineEdit* 编辑框2 = nullptr;
  QLineEdit* 编辑框3 = nullptr;
  QLabel* 标签3 = nullptr;
  QGroupBox* 分组框2 = nullptr;
  PreviewBox* 图片框1 = nullptr;
  QPushButton* 按钮1 = nullptr;
  QPushButton* 按钮2 = nullptr;
  QLabel* 标签4 = nullptr;
};

}  // namespace vantrel::app
