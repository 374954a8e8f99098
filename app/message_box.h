#pragma once
// The window's messages: modal to the whole application, owned by the window, one OK button.
#include <QString>

class QWidget;

namespace vantrel::app {

enum class MessageIcon { Information, Error };

// Returns when the user has closed the box.
void ShowMessage(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon);

}  // namespace vantrel::app
