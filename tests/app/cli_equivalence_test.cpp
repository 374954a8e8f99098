#include "tests/app/picture_reading.h"
#include "tests/app/window_fixture.h"
#include "tests/cli/run_cli.h"

namespace vantrel::testing {
namespace {

using CliEquivalence = WindowTest;

TEST_F(CliEquivalence, TheCommandLineWritesThePreviewsBytes) {
  struct Case {
    int line;
    const char* content;
    const char* width;
    const char* height;
  };
  const Case cases[] = {
      {__LINE__, "abc", "256", "256"},
      {__LINE__, "二维码 😀", "300", "200"},
      {__LINE__, "sizes", "12.9", "２５６"},
  };
  for (const Case& c : cases) {
    Content().setText(QString::fromUtf8(c.content));
    WidthField().setText(QString::fromUtf8(c.width));
    HeightField().setText(QString::fromUtf8(c.height));
    ClickGenerate();
    const auto& preview = window_.PreviewPicture();
    ASSERT_TRUE(StartsWithPngSignature(preview)) << "line " << c.line;
    const cli::testing::CliResult result =
        cli::testing::RunCli({"generate", "-W", c.width, "-H", c.height, "--", c.content});
    EXPECT_EQ(result.exitCode, 0) << "line " << c.line << ": " << result.err;
    EXPECT_EQ(result.out, std::string(preview.begin(), preview.end())) << "line " << c.line;
  }
}

}  // namespace
}  // namespace vantrel::testing
