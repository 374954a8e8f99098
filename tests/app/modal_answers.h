#pragma once
// Answers, from the event loop, the modal windows that a call opens one after another, since
// the call itself blocks inside them. Each answer is for one window and must close it (or
// open the next one). A modal window nobody expected is rejected and counted
// as a test failure, so a missing answer never hangs the test.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <vector>

namespace vantrel::testing {

class ModalAnswers {
 public:
  using Answer = std::function<void(QWidget&)>;

  explicit ModalAnswers(std::vector<Answer> answers);
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;

  // How many of the answers have been used.
  std::size_t Given() const { return next_; }

 private:
  static constexpr qint64 kPatienceMs = 10'000;

  void Poll();
  static void Dismiss(QWidget& modal);

  std::vector<Answer> answers_;
  std::size_t next_ = 0;
  QPointer<QWidget> candidate_;
  QPointer<QWidget> last_;
  QElapsedTimer sinceAnswer_;
  QTimer timer_;
};

// Types text into a widget: ASCII as key presses, anything else as input-method commits.
void TypeText(QWidget& target, const QString& text);

// Answers for a QFileDialog: type a name into its name field and press Enter; or cancel.
ModalAnswers::Answer TypeFileName(const QString& name);
ModalAnswers::Answer CancelDialog();
// Checks a message box and closes it with its only button.
ModalAnswers::Answer ExpectMessage(const QString& text, const QString& caption,
                                   QMessageBox::Icon icon);
// Answers a question box (such as the overwrite question) with one of its buttons.
ModalAnswers::Answer AnswerQuestion(QMessageBox::StandardButton button);

}  // namespace vantrel::testing
