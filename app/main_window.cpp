#include "app/main_window.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <limits>

#include "app/integer_line_edit.h"
#include "app/preview_box.h"

namespace vantrel::app {
namespace {

constexpr Qt::WindowFlags kFrameFlags = Qt::Window | Qt::CustomizeWindowHint |
                                        Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                        Qt::WindowCloseButtonHint;

// The layout asks for "微软雅黑" by character height; fontconfig picks an installed CJK face
// when it is missing.
QFont UiFont(int characterHeight) {
  QFont font;
  font.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei")});
  font.setPixelSize(characterHeight);
  font.setWeight(QFont::Normal);
  return font;
}

template <typename Control>
Control* Place(Control* control, const char* name, QRect geometry) {
  control->setObjectName(QString::fromUtf8(name));
  control->setGeometry(geometry);
  return control;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, QRect geometry,
                  int fontHeight) {
  auto* label = Place(new QLabel(QString::fromUtf8(text), parent), name, geometry);
  label->setFont(UiFont(fontHeight));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

template <typename Edit>
Edit* MakeEdit(QWidget* parent, const char* name, const char* text, QRect geometry) {
  auto* edit = Place(new Edit(parent), name, geometry);
  edit->setText(QString::fromUtf8(text));
  edit->setFont(UiFont(12));
  edit->setMaxLength(std::numeric_limits<int>::max());
  return edit;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, QRect geometry) {
  auto* button = Place(new QPushButton(QString::fromUtf8(text), parent), name, geometry);
  button->setFont(UiFont(14));
  // Enter belongs to the default button alone, whichever control has the focus.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

MainWindow::MainWindow() : QWidget(nullptr, kFrameFlags) {
  setWindowTitle(QStringLiteral("Vantrel"));
  BuildControls();
  connect(按钮1, &QPushButton::clicked, this, &MainWindow::OnGenerateClicked);
  connect(按钮2, &QPushButton::clicked, this, &MainWindow::OnSaveClicked);
  // A native window first, so that the frame is known when the size is fixed.
  create();
  FitToOuterSize();
  CentreOnScreen();
}

void MainWindow::BuildControls() {
  分组框1 = Place(new QGroupBox(this), "分组框1", {6, 5, 360, 83});
  标签1 = MakeLabel(分组框1, "标签1", "二维码内容:", {10, 19, 72, 16}, 12);
  编辑框1 = MakeEdit<QLineEdit>(分组框1, "编辑框1", "", {83, 18, 263, 21});
  标签2 = MakeLabel(分组框1, "标签2", "二维码尺寸:", {10, 45, 72, 16}, 12);
  编辑框2 = MakeEdit<IntegerLineEdit>(分组框1, "编辑框2", "256", {83, 43, 31, 21});
  编辑框3 = MakeEdit<IntegerLineEdit>(分组框1, "编辑框3", "256", {141, 43, 31, 21});
  // A child of the window, made after the group box so that it lies on top of it.
  标签3 = MakeLabel(this, "标签3", "×", {127, 49, 18, 16}, 16);
  分组框2 = Place(new QGroupBox(this), "分组框2", {6, 92, 360, 316});
  图片框1 = Place(new PreviewBox(分组框2), "图片框1", {52, 14, 256, 256});
  按钮1 = MakeButton(分组框2, "按钮1", "生成二维码", {18, 276, 158, 31});
  按钮1->setDefault(true);
  按钮2 = MakeButton(分组框2, "按钮2", "保存到文件", {184, 276, 158, 31});
  标签4 = MakeLabel(this, "标签4", "注:二维码尺寸大于256x256可能无法正常预览,请保存到文件。",
                    {11, 414, 357, 16}, 13);
}

void MainWindow::FitToOuterSize() {
  const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
  const QSize client(kOuterSize.width() - frame.left() - frame.right(),
                     kOuterSize.height() - frame.top() - frame.bottom());
  if (client != size() || minimumSize() != maximumSize()) setFixedSize(client);
}

void MainWindow::CentreOnScreen() {
  const QRect area = screen()->geometry();
  move(area.x() + (area.width() - kOuterSize.width()) / 2,
       area.y() + (area.height() - kOuterSize.height()) / 2);
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FitToOuterSize();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // A window manager may only now have put its frame around the window.
  FitToOuterSize();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      close();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      按钮1->click();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

std::string MainWindow::ReadText(const QLineEdit& control) {
  return control.text().toUtf8().toStdString();
}

void MainWindow::WriteText(QLineEdit& control, std::string_view text) {
  control.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void MainWindow::SetPreviewPicture(std::span<const std::uint8_t> bytes) {
  图片框1->SetPicture(bytes);
}

const std::vector<std::uint8_t>& MainWindow::PreviewPicture() const { return 图片框1->Picture(); }

platform::dialog::HWND MainWindow::WindowHandle() {
  return static_cast<platform::dialog::HWND>(winId());
}

}  // namespace vantrel::app
