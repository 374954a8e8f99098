#pragma once
// A shown main window with its controls found by their layout names.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <iostream>

#include "app/main_window.h"
#include "app/preview_box.h"

namespace vantrel::testing {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }

  template <typename Control>
  Control& Find(const char* name) {
    auto* control = window_.findChild<Control*>(QString::fromUtf8(name));
    if (control == nullptr) {
      std::cerr << "no control " << name << " of the expected kind\n";
      std::abort();
    }
    return *control;
  }

  QLineEdit& Content() { return Find<QLineEdit>("编辑框1"); }
  QLineEdit& WidthField() { return Find<QLineEdit>("编辑框2"); }
  QLineEdit& HeightField() { return Find<QLineEdit>("编辑框3"); }
  QPushButton& GenerateButton() { return Find<QPushButton>("按钮1"); }
  QPushButton& SaveButton() { return Find<QPushButton>("按钮2"); }
  app::PreviewBox& Preview() { return Find<app::PreviewBox>("图片框1"); }

  void ClickGenerate() { QTest::mouseClick(&GenerateButton(), Qt::LeftButton); }
  void ClickSave() { QTest::mouseClick(&SaveButton(), Qt::LeftButton); }

  app::MainWindow window_;
};

}  // namespace vantrel::testing
