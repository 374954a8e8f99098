#include <QPainter>

#include "tests/app/modal_answers.h"
#include "tests/app/picture_reading.h"
#include "tests/app/window_fixture.h"

namespace vantrel::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using GenerateCommand = WindowTest;

const QString kTooLong = QStringLiteral("二维码内容过长，无法生成二维码");

TEST_F(GenerateCommand, EmptyContentIsRefusedAndNothingChanges) {
  Content().setText(QStringLiteral("abc"));
  ClickGenerate();
  const Bytes before = window_.PreviewPicture();
  ASSERT_FALSE(before.empty());

  Content().clear();
  WidthField().clear();
  ModalAnswers answers({ExpectMessage(QStringLiteral("必须指定二维码内容"), QStringLiteral("错误"),
                                      QMessageBox::Critical)});
  ClickGenerate();
  EXPECT_EQ(answers.Given(), 1u);
  EXPECT_EQ(WidthField().text(), QString());
  EXPECT_EQ(window_.PreviewPicture(), before);
}

TEST_F(GenerateCommand, EmptySizeFieldsBecome256) {
  Content().setText(QStringLiteral("abc"));
  WidthField().setText(QStringLiteral("100"));
  HeightField().clear();
  ClickGenerate();
  EXPECT_EQ(HeightField().text(), QStringLiteral("256"));
  EXPECT_EQ(DecodePng(window_.PreviewPicture()).size(), QSize(100, 256));

  WidthField().clear();
  HeightField().clear();
  ClickGenerate();
  EXPECT_EQ(WidthField().text(), QStringLiteral("256"));
  EXPECT_EQ(HeightField().text(), QStringLiteral("256"));
  EXPECT_EQ(DecodePng(window_.PreviewPicture()).size(), QSize(256, 256));
}

TEST_F(GenerateCommand, SizeFieldsAreReadAsNumbersCutToIntegers) {
  struct Case {
    int line;
    const char* text;
    int pixels;  // 0: no picture at all
  };
  const Case cases[] = {
      {__LINE__, "12.9", 12},  {__LINE__, "1e2", 100}, {__LINE__, "２５６", 256},
      {__LINE__, " 64", 64},   {__LINE__, "abc", 0},   {__LINE__, "-", 0},
      {__LINE__, "-30", 0},    {__LINE__, "0", 0},     {__LINE__, "65536", 0},
  };
  Content().setText(QStringLiteral("abc"));
  for (const Case& c : cases) {
    for (const bool width : {true, false}) {
      WidthField().setText(QStringLiteral("40"));
      HeightField().setText(QStringLiteral("40"));
      (width ? WidthField() : HeightField()).setText(QString::fromUtf8(c.text));
      ClickGenerate();
      const Bytes& picture = window_.PreviewPicture();
      if (c.pixels == 0) {
        EXPECT_TRUE(picture.empty()) << "line " << c.line;
        EXPECT_TRUE(Preview().ShownImage().isNull()) << "line " << c.line;
        continue;
      }
      const QSize expected = width ? QSize(c.pixels, 40) : QSize(40, c.pixels);
      EXPECT_EQ(DecodePng(picture).size(), expected) << "line " << c.line;
      EXPECT_EQ(Preview().ShownImage().size(), expected) << "line " << c.line;
    }
  }
}

TEST_F(GenerateCommand, ContentTooLongForASymbolSaysSoAndRemovesThePreview) {
  Content().setText(QStringLiteral("abc"));
  ClickGenerate();
  ASSERT_FALSE(window_.PreviewPicture().empty());

  // 1,274 bytes, and 424 Chinese characters (1,272 bytes after the 3-byte mark).
  for (const QString& content : {QString(1274, u'a'), QString(424, QChar(0x4E2D))}) {
    ModalAnswers answers({ExpectMessage(kTooLong, QStringLiteral("错误"), QMessageBox::Critical)});
    Content().setText(content);
    ClickGenerate();
    EXPECT_EQ(answers.Given(), 1u);
    EXPECT_TRUE(window_.PreviewPicture().empty());
    EXPECT_TRUE(Preview().ShownImage().isNull());
  }
}

TEST_F(GenerateCommand, TheSameInputGivesTheSameBytesAndReplacesThePreview) {
  Content().setText(QStringLiteral("   "));
  ClickGenerate();
  const Bytes first = window_.PreviewPicture();
  ASSERT_TRUE(StartsWithPngSignature(first));
  ClickGenerate();
  EXPECT_EQ(window_.PreviewPicture(), first);
  EXPECT_EQ(ReadSymbol(first), SymbolBytes("   "));

  Content().setText(QStringLiteral("other"));
  ClickGenerate();
  EXPECT_NE(window_.PreviewPicture(), first);
  EXPECT_EQ(ReadSymbol(window_.PreviewPicture()), SymbolBytes("other"));
}

TEST_F(GenerateCommand, ThePreviewReadsBackAsTheContent) {
  struct Case {
    int line;
    const char* content;
  };
  const Case cases[] = {
      {__LINE__, "https://example.com/vantrel?q=1"},
      {__LINE__, "二维码内容"},
      {__LINE__, "😀 emoji 🎉"},
  };
  for (const QSize size : {QSize(256, 256), QSize(300, 200)}) {
    WidthField().setText(QString::number(size.width()));
    HeightField().setText(QString::number(size.height()));
    for (const Case& c : cases) {
      Content().setText(QString::fromUtf8(c.content));
      ClickGenerate();
      const Bytes& picture = window_.PreviewPicture();
      EXPECT_EQ(DecodePng(picture).size(), size) << "line " << c.line;
      EXPECT_EQ(ReadSymbol(picture), SymbolBytes(c.content)) << "line " << c.line << " at "
                                                              << size.width() << "x" << size.height();
    }
  }
}

// What the box draws inside its border, compared with the picture it holds.
void ExpectShownUnscaledFromTopLeft(app::PreviewBox& box, const QImage& picture) {
  const QImage shown = box.grab().toImage();
  QImage empty(box.size(), QImage::Format_ARGB32);
  {
    app::PreviewBox blank(nullptr);
    blank.resize(box.size());
    empty = blank.grab().toImage();
  }
  const QRect inside = box.contentsRect();
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QPoint source(x - inside.left(), y - inside.top());
      const bool covered = picture.rect().contains(source);
      if (covered && qAlpha(picture.pixel(source)) != 255) continue;
      const QRgb expected = covered ? picture.pixel(source) : empty.pixel(x, y);
      ASSERT_EQ(shown.pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF) << "at " << x << "," << y;
    }
  }
}

TEST_F(GenerateCommand, ThePreviewShowsThePictureAtNaturalSizeAndCutsTheRest) {
  Content().setText(QStringLiteral("abc"));
  for (const int side : {512, 128, 256}) {
    WidthField().setText(QString::number(side));
    HeightField().setText(QString::number(side));
    ClickGenerate();
    const QImage picture = DecodePng(window_.PreviewPicture());
    ASSERT_EQ(picture.size(), QSize(side, side));
    EXPECT_EQ(Preview().size(), QSize(256, 256));
    ExpectShownUnscaledFromTopLeft(Preview(), picture);
  }
}

}  // namespace
}  // namespace vantrel::testing
