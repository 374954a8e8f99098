// Takes the README's picture of the window: types a content, clicks Generate and saves what
// the window shows. Run under a display (xvfb-run); not a test.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "app/main_window.h"
#include "tests/app/modal_answers.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantrel_screenshot OUTPUT.png\n");
    return 2;
  }
  vantrel::app::MainWindow window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  auto* content = window.findChild<QLineEdit*>(QStringLiteral("编辑框1"));
  auto* generate = window.findChild<QPushButton*>(QStringLiteral("按钮1"));
  if (content == nullptr || generate == nullptr) return 1;
  content->setFocus();
  vantrel::testing::TypeText(*content, QStringLiteral("https://example.com/vantrel"));
  QTest::mouseClick(generate, Qt::LeftButton);
  QTest::qWait(200);

  return window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
