#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/dialog/open_file_name.h"
#include "tests/app/modal_answers.h"

namespace vantrel::platform::dialog {
namespace {

using vantrel::testing::AnswerQuestion;
using vantrel::testing::CancelDialog;
using vantrel::testing::ModalAnswers;
using vantrel::testing::TypeFileName;

// The filter bytes for "图片文件(*.jpg)|*.jpg": one entry, ended by a double zero.
const char kJpegFilter[] = "图片文件(*.jpg)\0*.jpg\0";

class GetSaveFileNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    owner_.show();
    record_.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    record_.hwndOwner = static_cast<HWND>(owner_.winId());
    record_.lpstrFilter = kJpegFilter;
    record_.lpstrFile = name_.data();
    record_.nMaxFile = static_cast<DWORD>(name_.size());
    record_.lpstrInitialDir = dirText_.c_str();
    record_.lpstrTitle = "保存文件";
    record_.Flags = OFN_OVERWRITEPROMPT;
    record_.lpstrDefExt = "jpg";
  }

  std::string Path(const char* name) const { return dirText_ + "/" + name; }
  std::string Chosen() const { return std::string(name_.data()); }
  void Touch(const char* name) const { std::ofstream(Path(name)) << "old"; }

  QTemporaryDir dir_;
  const std::string dirText_ = dir_.path().toStdString();
  QWidget owner_;
  std::vector<char> name_ = std::vector<char>(1024, '\0');
  OPENFILENAMEA record_;
};

TEST_F(GetSaveFileNameTest, ShowsTheRecordsTitleFilterAndEmptyNameOverItsOwner) {
  ModalAnswers answers({[&](QWidget& modal) {
                          auto* dialog = qobject_cast<QFileDialog*>(&modal);
                          ASSERT_NE(dialog, nullptr);
                          EXPECT_EQ(dialog->windowTitle(), QStringLiteral("保存文件"));
                          EXPECT_EQ(dialog->parentWidget(), &owner_);
                          EXPECT_TRUE(dialog->isModal());
                          EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
                          EXPECT_EQ(dialog->nameFilters(),
                                    QStringList{QStringLiteral("图片文件(*.jpg)")});
                          EXPECT_EQ(dialog->directory().absolutePath(), dir_.path());
                          auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                          ASSERT_NE(field, nullptr);
                          EXPECT_TRUE(field->text().isEmpty());
                          auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                          ASSERT_NE(types, nullptr);
                          EXPECT_EQ(types->count(), 1);
                          EXPECT_EQ(types->currentText(), QStringLiteral("图片文件(*.jpg)"));
                          QTest::keyClick(dialog, Qt::Key_Escape);
                        }});
  EXPECT_EQ(GetSaveFileNameA(&record_), 0);
  EXPECT_EQ(answers.Given(), 1u);
  EXPECT_EQ(Chosen(), "");
}

TEST_F(GetSaveFileNameTest, AppendsTheDefaultExtensionOnlyToANameWithoutOne) {
  struct Case {
    int line;
    const char* typed;
    const char* chosen;
  };
  const Case cases[] = {
      {__LINE__, "qr", "qr.jpg"},
      {__LINE__, "qr.png", "qr.png"},
      {__LINE__, "二维码", "二维码.jpg"},
  };
  for (const auto& c : cases) {
    std::fill(name_.begin(), name_.end(), '\0');
    ModalAnswers answers({TypeFileName(QString::fromUtf8(c.typed))});
    ASSERT_NE(GetSaveFileNameA(&record_), 0) << "line " << c.line;
    const std::string expected = Path(c.chosen);
    EXPECT_EQ(Chosen(), expected) << "line " << c.line;
    EXPECT_EQ(record_.nFileOffset, dirText_.size() + 1) << "line " << c.line;
    EXPECT_EQ(record_.nFileExtension, expected.rfind('.') + 1) << "line " << c.line;
    EXPECT_EQ(record_.nFilterIndex, 1u) << "line " << c.line;
  }
}

TEST_F(GetSaveFileNameTest, AsksBeforeAnExistingFileIsChosen) {
  Touch("qr.jpg");
  {
    // "No" keeps the dialog open; the user then cancels.
    ModalAnswers answers({TypeFileName("qr"), AnswerQuestion(QMessageBox::No), CancelDialog()});
    EXPECT_EQ(GetSaveFileNameA(&record_), 0);
    EXPECT_EQ(answers.Given(), 3u);
  }
  {
    ModalAnswers answers({TypeFileName("qr"), AnswerQuestion(QMessageBox::Yes)});
    ASSERT_NE(GetSaveFileNameA(&record_), 0);
    EXPECT_EQ(answers.Given(), 2u);
    EXPECT_EQ(Chosen(), Path("qr.jpg"));
  }
  {
    // Without the flag nobody is asked.
    record_.Flags = 0;
    ModalAnswers answers({TypeFileName("qr")});
    ASSERT_NE(GetSaveFileNameA(&record_), 0);
    EXPECT_EQ(Chosen(), Path("qr.jpg"));
  }
}

TEST_F(GetSaveFileNameTest, APathLongerThanTheBufferFailsAndTellsTheSizeNeeded) {
  record_.nMaxFile = static_cast<DWORD>(Path("qr.jpg").size());  // one byte short
  ModalAnswers answers({TypeFileName("qr")});
  EXPECT_EQ(GetSaveFileNameA(&record_), 0);
  std::uint16_t needed = 0;
  std::memcpy(&needed, name_.data(), sizeof needed);
  EXPECT_EQ(needed, Path("qr.jpg").size() + 1);
}

TEST_F(GetSaveFileNameTest, AMalformedRecordFailsWithoutADialog) {
  ModalAnswers answers({});
  OPENFILENAMEA wrongSize = record_;
  wrongSize.lStructSize = 76;
  EXPECT_EQ(GetSaveFileNameA(&wrongSize), 0);
  OPENFILENAMEA noBuffer = record_;
  noBuffer.lpstrFile = nullptr;
  EXPECT_EQ(GetSaveFileNameA(&noBuffer), 0);
  OPENFILENAMEA unknownOwner = record_;
  unknownOwner.hwndOwner = record_.hwndOwner + 0x7654321;
  EXPECT_EQ(GetSaveFileNameA(&unknownOwner), 0);
  EXPECT_EQ(GetSaveFileNameA(nullptr), 0);
  EXPECT_EQ(answers.Given(), 0u);
}

TEST_F(GetSaveFileNameTest, TheCallersStartNameIsOffered) {
  std::strcpy(name_.data(), "start.jpg");
  ModalAnswers answers({[](QWidget& modal) {
    auto* field = modal.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), QStringLiteral("start.jpg"));
    QTest::keyClick(field, Qt::Key_Return);
  }});
  ASSERT_NE(GetSaveFileNameA(&record_), 0);
  EXPECT_EQ(Chosen(), Path("start.jpg"));
}

}  // namespace
}  // namespace vantrel::platform::dialog
