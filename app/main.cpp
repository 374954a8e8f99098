// Vantrel: start-up. The window runs until it is closed; then the program ends.
#include <QApplication>

#include "app/main_window.h"
#include "graphics/session.h"
#include "platform/automation/com_runtime.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);

  vantrel::platform::CoInitializeEx(nullptr, vantrel::platform::COINIT_APARTMENTTHREADED);
  // Unanswered on purpose: without a session the first Generate starts one itself.
  if (vantrel::graphics::GdiplusToken == 0) vantrel::graphics::StartGraphicsSession();

  vantrel::app::MainWindow window;
  window.show();
  return QApplication::exec();
}
