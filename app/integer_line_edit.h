#pragma once
// An edit box for integer texts: of the characters typed from the space upward only "-" and
// the digits get in; control characters (backspace, the clipboard shortcuts) still pass, so
// pasting and dropping can put any text in. Nothing checks the text afterwards.
#include <QLineEdit>

namespace vantrel::app {

class IntegerLineEdit : public QLineEdit {
 public:
  explicit IntegerLineEdit(QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
};

}  // namespace vantrel::app
