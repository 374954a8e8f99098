#include "encoder/entry.h"
#include "tests/cli/run_cli.h"

#include <gtest/gtest.h>

namespace vantrel::cli::testing {
namespace {

const char* const kAbcSymbol =
    "111111101111101111111\n100000100101101000001\n101110100000101011101\n"
    "101110101001001011101\n101110100111101011101\n100000100000001000001\n"
    "111111101010101111111\n000000000100100000000\n001011101111110001001\n"
    "101111011110111001011\n011010101001101010011\n110011000101101000000\n"
    "010001111110111010001\n000000001111010101011\n111111100110001101011\n"
    "100000101100010111001\n101110101110010100101\n101110100011100000110\n"
    "101110101010100010001\n100000100110111000110\n111111100000101010111\n";

TEST(Cli, MatrixPrintsTheSymbol) {
  const CliResult result = RunCli({"matrix", "abc"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, kAbcSymbol);
  EXPECT_EQ(result.err, "");
}

TEST(Cli, CellsEqualTheEncoderEntry) {
  struct Case {
    int line;
    std::vector<std::string> args;
    std::u16string content;
    double width, height;
  };
  const Case cases[] = {
      {__LINE__, {"cells", "abc"}, u"abc", 256, 256},
      {__LINE__, {"cells", "-W", "300", "-H", "200", "abc"}, u"abc", 300, 200},
      {__LINE__, {"cells", "-W1000", "--", "-abc"}, u"-abc", 1000, 256},
      {__LINE__, {"cells", "-H", "-5.5", "\xE4\xB8\xAD\xF0\x9F\x98\x80"}, u"\u4E2D\U0001F600", 256,
       -5.5},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(c.args);
    EXPECT_EQ(result.exitCode, 0) << "line " << c.line << ": " << result.err;
    EXPECT_EQ(result.out, encoder::test(c.content, c.width, c.height) + "\n") << "line " << c.line;
  }
}

TEST(Cli, ReadsTextFromStandardInput) {
  const CliResult matrix = RunCli({"matrix", "-"}, "abc");
  EXPECT_EQ(matrix.exitCode, 0);
  EXPECT_EQ(matrix.out, kAbcSymbol);

  // Every byte counts, a final newline included.
  const CliResult cells = RunCli({"cells", "-W", "210", "-"}, "line\n");
  EXPECT_EQ(cells.exitCode, 0);
  EXPECT_EQ(cells.out, encoder::test(u"line\n", 210, 256) + "\n");

  const std::string big(1273, 'q');  // version 40, 1.3 MB of output
  const CliResult large = RunCli({"cells", "-"}, big);
  EXPECT_EQ(large.exitCode, 0);
  EXPECT_EQ(large.out, encoder::test(std::u16string(1273, u'q'), 256, 256) + "\n");
}

TEST(Cli, EncoderErrorsExitWithOne) {
  for (const std::string command : {"matrix", "cells"}) {
    const CliResult result = RunCli({command, std::string(1274, 'a')});
    EXPECT_EQ(result.exitCode, 1) << command;
    EXPECT_EQ(result.out, "") << command;
    EXPECT_NE(result.err.find("Too long data"), std::string::npos) << command;
  }
  // 424 three-byte characters from standard input.
  std::string chinese;
  for (int i = 0; i < 424; ++i) chinese += "\xE4\xB8\xAD";
  const CliResult result = RunCli({"matrix", "-"}, chinese);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
}

TEST(Cli, UsageErrorsExitWithTwo) {
  const std::vector<std::string> cases[] = {
      {},
      {"frobnicate", "abc"},
      {"matrix"},
      {"matrix", "a", "b"},
      {"matrix", "-W", "10", "abc"},
      {"cells"},
      {"cells", "-W"},
      {"cells", "-W", "wide", "abc"},
      {"cells", "-W", "12px", "abc"},
      {"cells", "-H", "inf", "abc"},
      {"cells", "-x", "abc"},
  };
  for (const auto& args : cases) {
    const CliResult result = RunCli(args);
    std::string line;
    for (const auto& a : args) line += a + " ";
    EXPECT_EQ(result.exitCode, 2) << line;
    EXPECT_EQ(result.out, "") << line;
    EXPECT_NE(result.err.find("usage: vantrel-cli"), std::string::npos) << line;
  }
  const CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("matrix TEXT"), std::string::npos);
}

}  // namespace
}  // namespace vantrel::cli::testing
