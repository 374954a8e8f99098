#include "app/integer_line_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace vantrel::app {
namespace {

bool IsAccepted(QChar c) { return c.unicode() < 0x20 || c == u'-' || (c >= u'0' && c <= u'9'); }

QString Accepted(const QString& typed) {
  QString kept;
  for (const QChar c : typed)
    if (IsAccepted(c)) kept.append(c);
  return kept;
}

// With Ctrl held a key types a control character (Ctrl+V is 0x16), which always passes.
bool TypesControlCharacter(const QKeyEvent& event) {
  return (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) != 0 &&
         (event.modifiers() & Qt::AltModifier) == 0;
}

}  // namespace

IntegerLineEdit::IntegerLineEdit(QWidget* parent) : QLineEdit(parent) {}

void IntegerLineEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  if (typed.isEmpty() || TypesControlCharacter(*event)) return QLineEdit::keyPressEvent(event);
  const QString kept = Accepted(typed);
  if (kept == typed) return QLineEdit::keyPressEvent(event);
  // Some or all of the characters are dropped; the dropped key is consumed, not passed on.
  event->accept();
  if (!kept.isEmpty()) insert(kept);
}

void IntegerLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString committed = event->commitString();
  const QString kept = Accepted(committed);
  if (kept == committed) return QLineEdit::inputMethodEvent(event);
  QInputMethodEvent filtered(event->preeditString(), event->attributes());
  filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&filtered);
  event->accept();
}

}  // namespace vantrel::app
