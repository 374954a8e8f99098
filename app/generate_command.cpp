// The Generate command of the main window.
#include <QLineEdit>

#include "app/content_capacity.h"
#include "app/generate_picture.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/number_text.h"

namespace vantrel::app {
namespace {

constexpr std::string_view kDefaultSize = "256";

std::int32_t SizeFrom(const QLineEdit& field) {
  return IntegerFromNumber(TextToNumber(MainWindow::ReadText(field)));
}

}  // namespace

void MainWindow::OnGenerateClicked() {
  if (ReadText(*编辑框1).empty()) {
    ShowMessage(this, QStringLiteral("必须指定二维码内容"), QStringLiteral("错误"),
                MessageIcon::Error);
    return;
  }
  if (ReadText(*编辑框2).empty()) WriteText(*编辑框2, kDefaultSize);
  if (ReadText(*编辑框3).empty()) WriteText(*编辑框3, kDefaultSize);
  const std::int32_t width = SizeFrom(*编辑框2);
  const std::int32_t height = SizeFrom(*编辑框3);

  const std::string content = ReadText(*编辑框1);
  // Left alone, such content gives a blank picture that looks like a success.
  if (!ContentFitsSymbol(content)) {
    SetPreviewPicture({});
    ShowMessage(this, QStringLiteral("二维码内容过长，无法生成二维码"), QStringLiteral("错误"),
                MessageIcon::Error);
    return;
  }
  SetPreviewPicture(GeneratePicture(content, width, height));
}

}  // namespace vantrel::app
