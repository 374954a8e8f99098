#include <sys/resource.h>

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "tests/app/modal_answers.h"
#include "tests/app/picture_reading.h"
#include "tests/app/window_fixture.h"
#include "tests/support/file_bytes.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Saving from a window whose dialog starts in an empty folder of its own.
class SaveCommand : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  void Generate(const char* content) {
    Content().setText(QString::fromUtf8(content));
    ClickGenerate();
    ASSERT_FALSE(window_.PreviewPicture().empty());
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path Folder() const { return dir_.path().toStdString(); }

  static ModalAnswers::Answer Saved() {
    return ExpectMessage(QStringLiteral("保存成功"), QString(), QMessageBox::Information);
  }
  static ModalAnswers::Answer Failed() {
    return ExpectMessage(QStringLiteral("保存失败"), QString(), QMessageBox::Critical);
  }

  QTemporaryDir dir_;
  QString previous_;
};

TEST_F(SaveCommand, WritesThePreviewsBytesUnderTheNameWithJpgAppended) {
  Generate("abc");
  ModalAnswers answers({TypeFileName("qr"), Saved()});
  ClickSave();
  EXPECT_EQ(answers.Given(), 2u);
  EXPECT_EQ(Names(), std::vector<std::string>{"qr.jpg"});
  const Bytes written = FileBytes(Folder() / "qr.jpg");
  EXPECT_TRUE(StartsWithPngSignature(written));
  EXPECT_EQ(written, window_.PreviewPicture());
}

TEST_F(SaveCommand, SavingAgainOverTheSameNameLeavesOnlyTheLatestBytes) {
  Generate("first");
  {
    ModalAnswers answers({TypeFileName("qr"), Saved()});
    ClickSave();
  }
  Generate("second, a longer content than the first");
  {
    ModalAnswers answers({TypeFileName("qr"), AnswerQuestion(QMessageBox::Yes), Saved()});
    ClickSave();
    EXPECT_EQ(answers.Given(), 3u);
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"qr.jpg"});
  EXPECT_EQ(FileBytes(Folder() / "qr.jpg"), window_.PreviewPicture());
}

TEST_F(SaveCommand, CancellingOrRefusingTheOverwriteWritesNothing) {
  std::ofstream(Folder() / "qr.jpg") << "old";
  Generate("abc");
  {
    ModalAnswers answers({CancelDialog(), Failed()});
    ClickSave();
    EXPECT_EQ(answers.Given(), 2u);
  }
  {
    ModalAnswers answers(
        {TypeFileName("qr"), AnswerQuestion(QMessageBox::No), CancelDialog(), Failed()});
    ClickSave();
    EXPECT_EQ(answers.Given(), 4u);
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"qr.jpg"});
  EXPECT_EQ(FileBytes(Folder() / "qr.jpg"), (Bytes{'o', 'l', 'd'}));
}

TEST_F(SaveCommand, AnEmptyPreviewIsAFailureAndTouchesNoFile) {
  // Right after start-up, and after a Generate that made no picture.
  {
    ModalAnswers answers({Failed()});
    ClickSave();
    EXPECT_EQ(answers.Given(), 1u);
  }
  Content().setText(QStringLiteral("abc"));
  WidthField().setText(QStringLiteral("0"));
  ClickGenerate();
  ASSERT_TRUE(window_.PreviewPicture().empty());
  {
    ModalAnswers answers({Failed()});
    ClickSave();
    EXPECT_EQ(answers.Given(), 1u);
  }
  EXPECT_TRUE(Names().empty());
}

TEST_F(SaveCommand, AFailedWriteKeepsTheFileItWasToReplace) {
  const Bytes old(100, 'o');
  {
    std::ofstream out(Folder() / "keep.jpg", std::ios::binary);
    out.write(reinterpret_cast<const char*>(old.data()), static_cast<std::streamsize>(old.size()));
  }
  Generate("abc");
  ASSERT_GT(window_.PreviewPicture().size(), 200u);

  // A file-size limit below the picture's size makes the write fail as a full disk would.
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
  rlimit limited = previous;
  limited.rlim_cur = 200;
  ModalAnswers answers({TypeFileName("keep.jpg"), AnswerQuestion(QMessageBox::Yes), Failed()});
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  ClickSave();
  ::setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(answers.Given(), 3u);
  EXPECT_EQ(Names(), std::vector<std::string>{"keep.jpg"});
  EXPECT_EQ(FileBytes(Folder() / "keep.jpg"), old);
}

TEST_F(SaveCommand, SavingThroughASymbolicLinkReplacesItsTarget) {
  std::ofstream(Folder() / "target.png") << "old";
  fs::create_symlink("target.png", Folder() / "link.jpg");
  Generate("abc");
  ModalAnswers answers({TypeFileName("link.jpg"), AnswerQuestion(QMessageBox::Yes), Saved()});
  ClickSave();
  EXPECT_EQ(answers.Given(), 3u);
  EXPECT_TRUE(fs::is_symlink(Folder() / "link.jpg"));
  EXPECT_EQ(FileBytes(Folder() / "target.png"), window_.PreviewPicture());
}

TEST_F(SaveCommand, APathBeyondTheDialogsBufferIsAFailure) {
  // Five folders of 200 bytes make the path longer than the 1,024-byte name buffer.
  fs::path deep = Folder();
  for (int i = 0; i < 5; ++i) deep /= std::string(200, static_cast<char>('a' + i));
  fs::create_directories(deep);
  Generate("abc");
  ModalAnswers answers({TypeFileName(QString::fromStdString((deep / "qr").string())), Failed()});
  ClickSave();
  EXPECT_EQ(answers.Given(), 2u);
  EXPECT_TRUE(fs::is_empty(deep));
}

}  // namespace
}  // namespace vantrel::testing
