#include "tests/app/modal_answers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vantrel::testing {

ModalAnswers::ModalAnswers(std::vector<Answer> answers) : answers_(std::move(answers)) {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start();
}

void ModalAnswers::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->isVisible()) return;
  if (modal == last_.data()) {
    // An answer that leaves its window open would block the test for good.
    if (sinceAnswer_.elapsed() > kPatienceMs) {
      ADD_FAILURE() << "modal window still open after its answer: "
                    << modal->metaObject()->className();
      Dismiss(*modal);
    }
    return;
  }
  // A window counts once two polls in a row find it: while an answer runs, the window below
  // it can be the active modal one for a moment before it closes too.
  if (modal != candidate_.data()) {
    candidate_ = modal;
    return;
  }
  last_ = modal;
  sinceAnswer_.start();
  if (next_ < answers_.size()) {
    // Answered from its own event: an answer may open the next modal window and block inside
    // it, and this timer does not fire again while its handler runs.
    QTimer::singleShot(0, modal, [answer = answers_[next_], modal] { answer(*modal); });
    ++next_;
    return;
  }
  ADD_FAILURE() << "unexpected modal window: " << modal->metaObject()->className() << " \""
                << modal->windowTitle().toStdString() << "\"";
  Dismiss(*modal);
}

void ModalAnswers::Dismiss(QWidget& modal) {
  if (auto* dialog = qobject_cast<QDialog*>(&modal)) dialog->reject();
  else modal.close();
}

void TypeText(QWidget& target, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(&target, c.toLatin1());
    } else {
      // Characters beyond ASCII come from an input method, as they do for a real user.
      QInputMethodEvent event;
      event.setCommitString(QString(c));
      QApplication::sendEvent(&target, &event);
    }
  }
}

ModalAnswers::Answer TypeFileName(const QString& name) {
  return [name](QWidget& modal) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(dialog, nullptr) << "expected the save dialog, got " << modal.metaObject()->className();
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(field, nullptr);
    field->clear();
    TypeText(*field, name);
    QTest::keyClick(field, Qt::Key_Return);
  };
}

ModalAnswers::Answer CancelDialog() {
  return [](QWidget& modal) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(dialog, nullptr) << "expected the save dialog, got " << modal.metaObject()->className();
    QTest::keyClick(dialog, Qt::Key_Escape);
  };
}

ModalAnswers::Answer ExpectMessage(const QString& text, const QString& caption,
                                   QMessageBox::Icon icon) {
  return [=](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    if (box == nullptr) {
      ADD_FAILURE() << "expected a message box, got " << modal.metaObject()->className();
      modal.close();
      return;
    }
    EXPECT_EQ(box->text(), text);
    EXPECT_EQ(box->windowTitle(), caption);
    EXPECT_EQ(box->icon(), icon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  };
}

ModalAnswers::Answer AnswerQuestion(QMessageBox::StandardButton button) {
  return [button](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    if (box == nullptr || box->button(button) == nullptr) {
      ADD_FAILURE() << "expected a question box, got " << modal.metaObject()->className();
      modal.close();
      return;
    }
    QTest::mouseClick(box->button(button), Qt::LeftButton);
  };
}

}  // namespace vantrel::testing
