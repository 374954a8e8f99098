// Vantrel: start-up. The window runs until it is closed; then the program ends.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "app/main_window.h"
#include "graphics/library_binding.h"
#include "graphics/session.h"
#include "platform/automation/com_runtime.h"

namespace {

// A missing graphics library or function ends the program; a window user should see why.
void ShowFatalError(const vantrel::graphics::BindingFailure& failure) {
  const std::string message = failure.Message();
  std::fprintf(stderr, "vantrel: %s\n", message.c_str());
  QMessageBox::critical(nullptr, QStringLiteral("Vantrel"), QString::fromStdString(message));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  vantrel::graphics::SetFatalErrorHandler(ShowFatalError);

  vantrel::platform::CoInitializeEx(nullptr, vantrel::platform::COINIT_APARTMENTTHREADED);
  // Unanswered on purpose: without a session the first Generate starts one itself.
  if (vantrel::graphics::GdiplusToken == 0) vantrel::graphics::StartGraphicsSession();

  vantrel::app::MainWindow window;
  window.show();
  return QApplication::exec();
}
