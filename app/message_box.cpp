#include "app/message_box.h"

#include <QMessageBox>

namespace vantrel::app {

void ShowMessage(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                  caption, text, QMessageBox::Ok, owner);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace vantrel::app
