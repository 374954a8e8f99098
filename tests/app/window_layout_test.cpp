#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "tests/app/window_fixture.h"

namespace vantrel::testing {
namespace {

struct ControlRow {
  int line;
  const char* name;
  const char* kind;    // Qt class the control is, or inherits from
  const char* parent;  // nullptr: the main window itself
  QRect geometry;
  const char* text;    // nullptr: a control without text
  int fontHeight;      // 0: no font of its own
};

// The window's fixed layout: kind, parent, position, size, starting text and font height.
const ControlRow kLayout[] = {
    {__LINE__, "分组框1", "QGroupBox", nullptr, {6, 5, 360, 83}, nullptr, 0},
    {__LINE__, "标签1", "QLabel", "分组框1", {10, 19, 72, 16}, "二维码内容:", 12},
    {__LINE__, "编辑框1", "QLineEdit", "分组框1", {83, 18, 263, 21}, "", 12},
    {__LINE__, "标签2", "QLabel", "分组框1", {10, 45, 72, 16}, "二维码尺寸:", 12},
    {__LINE__, "编辑框2", "QLineEdit", "分组框1", {83, 43, 31, 21}, "256", 12},
    {__LINE__, "编辑框3", "QLineEdit", "分组框1", {141, 43, 31, 21}, "256", 12},
    {__LINE__, "标签3", "QLabel", nullptr, {127, 49, 18, 16}, "×", 16},
    {__LINE__, "分组框2", "QGroupBox", nullptr, {6, 92, 360, 316}, nullptr, 0},
    {__LINE__, "图片框1", "QFrame", "分组框2", {52, 14, 256, 256}, nullptr, 0},
    {__LINE__, "按钮1", "QPushButton", "分组框2", {18, 276, 158, 31}, "生成二维码", 14},
    {__LINE__, "按钮2", "QPushButton", "分组框2", {184, 276, 158, 31}, "保存到文件", 14},
    {__LINE__, "标签4", "QLabel", nullptr, {11, 414, 357, 16},
     "注:二维码尺寸大于256x256可能无法正常预览,请保存到文件。", 13},
};

QString TextOf(const QWidget& control) {
  if (auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
  if (auto* edit = qobject_cast<const QLineEdit*>(&control)) return edit->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(&control)) return button->text();
  if (auto* group = qobject_cast<const QGroupBox*>(&control)) return group->title();
  return {};
}

using WindowLayout = WindowTest;

TEST_F(WindowLayout, EveryControlSitsWhereTheLayoutPutsIt) {
  for (const ControlRow& row : kLayout) {
    const auto* control = window_.findChild<QWidget*>(QString::fromUtf8(row.name));
    ASSERT_NE(control, nullptr) << "line " << row.line;
    EXPECT_TRUE(control->inherits(row.kind)) << "line " << row.line << ": "
                                             << control->metaObject()->className();
    const QWidget* expectedParent =
        row.parent == nullptr ? &window_ : window_.findChild<QWidget*>(QString::fromUtf8(row.parent));
    EXPECT_EQ(control->parentWidget(), expectedParent) << "line " << row.line;
    EXPECT_EQ(control->geometry(), row.geometry) << "line " << row.line;
    EXPECT_TRUE(control->isVisible()) << "line " << row.line;
    EXPECT_EQ(TextOf(*control), QString::fromUtf8(row.text ? row.text : "")) << "line " << row.line;
    if (row.fontHeight != 0) {
      EXPECT_EQ(control->font().pixelSize(), row.fontHeight) << "line " << row.line;
      EXPECT_EQ(control->font().families().value(0), QStringLiteral("微软雅黑")) << "line " << row.line;
      EXPECT_EQ(control->font().weight(), QFont::Normal) << "line " << row.line;
    }
  }
  // The "×" lies over the first group box, between the two size fields.
  const QWidget& times = Find<QLabel>("标签3");
  EXPECT_EQ(window_.childAt(times.geometry().center()), &times);
}

TEST_F(WindowLayout, TheWindowIsFixedCentredAndTitled) {
  EXPECT_EQ(window_.windowTitle(), QStringLiteral("Vantrel"));
  EXPECT_EQ(window_.frameGeometry().size(), app::MainWindow::kOuterSize);
  EXPECT_EQ(window_.minimumSize(), window_.maximumSize());

  const Qt::WindowFlags flags = window_.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);

  const QRect screen = window_.screen()->geometry();
  EXPECT_EQ(window_.frameGeometry().topLeft(),
            QPoint(screen.x() + (screen.width() - 379) / 2, screen.y() + (screen.height() - 466) / 2));
}

TEST_F(WindowLayout, StartsWithNoPictureAndTheContentFieldFocused) {
  EXPECT_TRUE(window_.PreviewPicture().empty());
  EXPECT_TRUE(Preview().ShownImage().isNull());
  EXPECT_EQ(Preview().frameWidth(), 1);
  EXPECT_EQ(Preview().contentsRect(), QRect(1, 1, 254, 254));
  EXPECT_TRUE(GenerateButton().isDefault());
  EXPECT_FALSE(SaveButton().isDefault());
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  EXPECT_EQ(QApplication::focusWidget(), &Content());
}

}  // namespace
}  // namespace vantrel::testing
