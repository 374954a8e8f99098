#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "platform/dialog/filter_list.h"
#include "platform/dialog/open_file_name.h"

namespace vantrel::platform::dialog {
namespace {

// comdlg32's own title when the caller gives none.
constexpr char16_t kDefaultTitle[] = u"另存为";

QString TextOrEmpty(const char* text) { return text == nullptr ? QString() : QString::fromUtf8(text); }

bool IsWellFormed(const OPENFILENAMEA& record) {
  return record.lStructSize == OPENFILENAME_SIZE_VERSION_400A && record.lpstrFile != nullptr &&
         record.nMaxFile > 0;
}

void ConfigureDialog(QFileDialog& dialog, const OPENFILENAMEA& record) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setWindowTitle(record.lpstrTitle != nullptr ? QString::fromUtf8(record.lpstrTitle)
                                                     : QString::fromUtf16(kDefaultTitle));
  dialog.setOption(QFileDialog::DontConfirmOverwrite,
                   (record.Flags & OFN_OVERWRITEPROMPT) == 0);

  const QString initialDir = TextOrEmpty(record.lpstrInitialDir);
  dialog.setDirectory(initialDir.isEmpty() ? QDir::currentPath() : initialDir);

  const QStringList filters = NameFiltersFromFilterBytes(record.lpstrFilter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const qsizetype index = record.nFilterIndex == 0 ? 0 : record.nFilterIndex - 1;
    dialog.selectNameFilter(filters.value(index, filters.front()));
  }

  dialog.setDefaultSuffix(TextOrEmpty(record.lpstrDefExt));

  // The start name is whatever the caller left in the buffer, up to its first zero byte.
  const QByteArray startName(record.lpstrFile, qstrnlen(record.lpstrFile, record.nMaxFile));
  if (!startName.isEmpty()) dialog.selectFile(QString::fromUtf8(startName));
}

// Copies the chosen path into the caller's buffers under comdlg32's sizing rules.
BOOL DeliverPath(OPENFILENAMEA& record, const QString& path, int filterIndex) {
  const QByteArray bytes = path.toUtf8();
  const auto needed = static_cast<std::size_t>(bytes.size()) + 1;
  if (needed > record.nMaxFile || needed > 0xFFFF) {
    if (record.nMaxFile >= 2) {
      const auto size = static_cast<WORD>(needed > 0xFFFF ? 0xFFFF : needed);
      record.lpstrFile[0] = static_cast<char>(size & 0xFF);
      record.lpstrFile[1] = static_cast<char>(size >> 8);
    }
    return 0;
  }
  std::memcpy(record.lpstrFile, bytes.constData(), needed);

  const qsizetype nameStart = bytes.lastIndexOf('/') + 1;
  const qsizetype dot = bytes.lastIndexOf('.');
  record.nFileOffset = static_cast<WORD>(nameStart);
  record.nFileExtension = dot >= nameStart ? static_cast<WORD>(dot + 1) : 0;
  record.nFilterIndex = static_cast<DWORD>(filterIndex + 1);

  if (record.lpstrFileTitle != nullptr && record.nMaxFileTitle > 0) {
    const QByteArray title = bytes.mid(nameStart);
    if (static_cast<std::size_t>(title.size()) + 1 <= record.nMaxFileTitle)
      std::memcpy(record.lpstrFileTitle, title.constData(), title.size() + 1);
    else
      record.lpstrFileTitle[0] = '\0';
  }
  return 1;
}

}  // namespace

BOOL GetSaveFileNameA(OPENFILENAMEA* record) {
  if (record == nullptr || !IsWellFormed(*record)) return 0;
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return 0;

  QWidget* owner = nullptr;
  if (record->hwndOwner != 0) {
    owner = QWidget::find(static_cast<WId>(record->hwndOwner));
    if (owner == nullptr) return 0;
  }

  QFileDialog dialog(owner);
  ConfigureDialog(dialog, *record);
  if (dialog.exec() != QDialog::Accepted) return 0;

  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return 0;
  const qsizetype filterIndex = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
  return DeliverPath(*record, QFileInfo(chosen.front()).absoluteFilePath(),
                     static_cast<int>(std::max<qsizetype>(0, filterIndex)));
}

}  // namespace vantrel::platform::dialog
