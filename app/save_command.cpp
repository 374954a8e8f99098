// The Save command of the main window.
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/show_save_dialog.h"
#include "app/write_file.h"

namespace vantrel::app {

void MainWindow::OnSaveClicked() {
  // An empty preview would make an empty file and call it a success; there is nothing to
  // ask a name for.
  if (PreviewPicture().empty()) {
    ShowMessage(this, QStringLiteral("保存失败"), QString(), MessageIcon::Error);
    return;
  }
  const std::string path = ShowSaveDialog(WindowHandle(), "保存文件", std::nullopt,
                                          "图片文件(*.jpg)|*.jpg", std::nullopt, "jpg");
  const bool ok = WriteFile(path, PreviewPicture());
  if (ok)
    ShowMessage(this, QStringLiteral("保存成功"), QString(), MessageIcon::Information);
  else
    ShowMessage(this, QStringLiteral("保存失败"), QString(), MessageIcon::Error);
}

}  // namespace vantrel::app
