#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/generate_picture.h"
#include "tests/cli/run_cli.h"

namespace vantrel::cli::testing {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class PictureCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vantrel-cli-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::vector<std::string> Names(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

TEST_F(PictureCommands, GenerateWritesExactlyThePipelinesBytes) {
  struct Case {
    int line;
    std::vector<std::string> args;
    std::string content;
    std::int32_t width, height;
  };
  const Case cases[] = {
      {__LINE__, {"generate", "abc"}, "abc", 256, 256},
      {__LINE__, {"generate", "-W", "300", "-H", "200", "-o", "-", "abc"}, "abc", 300, 200},
      // Sizes read like the window's fields.
      {__LINE__, {"generate", "-W", "12.9", "-H", "1e2", "x"}, "x", 12, 100},
      {__LINE__, {"generate", "-W", "２５６", "-H", " 64", "x"}, "x", 256, 64},
      {__LINE__, {"generate", "--", "-中文😀"}, "-中文😀", 256, 256},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(c.args);
    EXPECT_EQ(result.exitCode, 0) << "line " << c.line << ": " << result.err;
    EXPECT_EQ(result.err, "") << "line " << c.line;
    EXPECT_EQ(result.out, AsText(app::GeneratePicture(c.content, c.width, c.height)))
        << "line " << c.line;
  }
  // From standard input, every byte counts.
  const CliResult piped = RunCli({"generate", "-"}, "line\n");
  EXPECT_EQ(piped.out, AsText(app::GeneratePicture("line\n", 256, 256)));
}

TEST_F(PictureCommands, GenerateWritesAFileAndReplacesAnOldOne) {
  const fs::path file = dir_ / "qr.png";
  std::ofstream(file) << std::string(5000, 'o');
  const CliResult result = RunCli({"generate", "-o", file.string(), "abc"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(ReadAll(file), AsText(app::GeneratePicture("abc", 256, 256)));
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"qr.png"});
}

TEST_F(PictureCommands, FailuresSayWhyAndLeaveNoFile) {
  struct Case {
    int line;
    std::vector<std::string> args;
    const char* message;  // part of what standard error says
  };
  const std::string out = (dir_ / "out.png").string();
  const Case cases[] = {
      {__LINE__, {"generate", "-o", out, std::string(1274, 'a')}, "too long"},
      {__LINE__, {"generate", "-o", out, std::string(1271, 'a') + "é"}, "too long"},
      {__LINE__, {"generate", "-o", out, "-W", "abc", "x"}, "no picture of 0 x 256"},
      {__LINE__, {"generate", "-o", out, "-H", "-3", "x"}, "no picture of 256 x -3"},
      {__LINE__, {"generate", "-o", out, "-W", "65536", "x"}, "no picture"},
      {__LINE__, {"generate", "-o", out, "-W", "20000", "-H", "20000", "x"}, "no picture"},
      {__LINE__, {"generate", "-o", (dir_ / "missing" / "x.png").string(), "x"}, "cannot write"},
      {__LINE__, {"generate", "-o", dir_.string(), "x"}, "cannot write"},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(c.args);
    EXPECT_EQ(result.exitCode, 1) << "line " << c.line;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << "line " << c.line << ": " << result.err;
    EXPECT_EQ(result.out, "") << "line " << c.line;
  }
  EXPECT_TRUE(Names(dir_).empty());

  const CliResult usage = RunCli({"generate"});
  EXPECT_EQ(usage.exitCode, 2);
  EXPECT_NE(usage.err.find("usage: vantrel-cli generate"), std::string::npos);
}

TEST_F(PictureCommands, BatchWritesOnePictureForEveryNonEmptyLineNamedByItsNumber) {
  const fs::path list = dir_ / "list.txt";
  std::ofstream(list, std::ios::binary) << "first\n\nthird\r\n中文\n\n";
  const fs::path out = dir_ / "out" / "nested";
  const CliResult result = RunCli({"batch", "-W", "100", "-H", "１２０", "-d", out.string(), list.string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Names(out), (std::vector<std::string>{"1.png", "3.png", "4.png"}));
  EXPECT_EQ(ReadAll(out / "1.png"), AsText(app::GeneratePicture("first", 100, 120)));
  EXPECT_EQ(ReadAll(out / "3.png"), AsText(app::GeneratePicture("third", 100, 120)));
  EXPECT_EQ(ReadAll(out / "4.png"), AsText(app::GeneratePicture("中文", 100, 120)));

  // From standard input, into the current folder's default, here given explicitly.
  const CliResult piped = RunCli({"batch", "-d", dir_.string(), "-"}, "only");
  EXPECT_EQ(piped.exitCode, 0) << piped.err;
  EXPECT_EQ(ReadAll(dir_ / "1.png"), AsText(app::GeneratePicture("only", 256, 256)));
}

TEST_F(PictureCommands, BatchReportsEachBadLineAndStillMakesTheOthers) {
  const fs::path list = dir_ / "list.txt";
  std::ofstream(list, std::ios::binary) << "ok\n" << std::string(1274, 'a') << "\nfine\n";
  const CliResult result = RunCli({"batch", "-d", dir_.string(), list.string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("line 2: content too long"), std::string::npos) << result.err;
  EXPECT_EQ(Names(dir_), (std::vector<std::string>{"1.png", "3.png", "list.txt"}));

  const CliResult missing = RunCli({"batch", "-d", dir_.string(), (dir_ / "none.txt").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos);

  const CliResult noSize = RunCli({"batch", "-W", "0", "-d", (dir_ / "z").string(), list.string()});
  EXPECT_EQ(noSize.exitCode, 1);
  EXPECT_NE(noSize.err.find("line 1: no picture"), std::string::npos) << noSize.err;
  EXPECT_TRUE(Names(dir_ / "z").empty());
}

}  // namespace
}  // namespace vantrel::cli::testing
