#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTimer>

#include "tests/app/modal_answers.h"
#include "tests/app/window_fixture.h"

namespace vantrel::testing {
namespace {

using WindowKeys = WindowTest;

TEST_F(WindowKeys, EnterClicksTheGenerateButtonFromEveryControl) {
  Content().setText(QStringLiteral("abc"));
  QSignalSpy clicks(&GenerateButton(), &QPushButton::clicked);
  QWidget* const controls[] = {&Content(), &WidthField(), &HeightField(), &GenerateButton(),
                               &SaveButton(), &Preview()};
  for (QWidget* control : controls) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
      window_.activateWindow();
      control->setFocus();
      window_.SetPreviewPicture({});
      const int before = clicks.count();
      QTest::keyClick(control, key);
      EXPECT_EQ(clicks.count(), before + 1) << control->objectName().toStdString();
      // The click ran Generate, not only the signal.
      EXPECT_FALSE(window_.PreviewPicture().empty()) << control->objectName().toStdString();
    }
  }
}

TEST_F(WindowKeys, EscapeClosesTheWindowAndEndsTheProgram) {
  bool timedOut = false;
  // Esc from inside a field: the key reaches the window, the window closes, and with the
  // last window gone the event loop ends.
  QTimer::singleShot(0, &window_, [&] { QTest::keyClick(&Content(), Qt::Key_Escape); });
  QTimer::singleShot(10'000, qApp, [&] {
    timedOut = true;
    QApplication::quit();
  });
  QApplication::exec();
  EXPECT_FALSE(timedOut);
  EXPECT_FALSE(window_.isVisible());
}

struct TypingCase {
  int line;
  const char* typed;
  const char* kept;
};

TEST_F(WindowKeys, SizeFieldsKeepOnlyDigitsAndMinusOfTypedCharacters) {
  const TypingCase cases[] = {
      {__LINE__, "12a", "12"},
      {__LINE__, "-", "-"},
      {__LINE__, "-5x0", "-50"},
      {__LINE__, "1.5", "15"},
      {__LINE__, " 6 4", "64"},
      {__LINE__, "abc", ""},
      {__LINE__, "２５６", ""},
      {__LINE__, "中1", "1"},
  };
  for (QLineEdit* field : {&WidthField(), &HeightField()}) {
    for (const TypingCase& c : cases) {
      field->clear();
      TypeText(*field, QString::fromUtf8(c.typed));
      EXPECT_EQ(field->text(), QString::fromUtf8(c.kept))
          << "line " << c.line << " in " << field->objectName().toStdString();
    }
    // Control characters still work: backspace removes, Ctrl+A selects for the next key.
    field->setText(QStringLiteral("123"));
    field->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), QStringLiteral("12"));
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, '7');
    EXPECT_EQ(field->text(), QStringLiteral("7"));
  }
}

TEST_F(WindowKeys, PastingPutsAnyTextIntoTheSizeFields) {
  for (QLineEdit* field : {&WidthField(), &HeightField()}) {
    for (const char* pasted : {"abc", "12.9", "２５６", " 64"}) {
      field->clear();
      QApplication::clipboard()->setText(QString::fromUtf8(pasted));
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
      EXPECT_EQ(field->text(), QString::fromUtf8(pasted)) << field->objectName().toStdString();
    }
  }
}

TEST_F(WindowKeys, TheContentFieldTakesAnyTextAndNoLengthLimit) {
  TypeText(Content(), QString::fromUtf8("a b,中文😀!"));
  EXPECT_EQ(Content().text(), QString::fromUtf8("a b,中文😀!"));
  const QString longText(100'000, u'x');
  QApplication::clipboard()->setText(longText);
  Content().selectAll();
  QTest::keyClick(&Content(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Content().text(), longText);
}

}  // namespace
}  // namespace vantrel::testing
