#include "app/write_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <vector>

#include "tests/support/file_bytes.h"

namespace vantrel::app {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

using testing::FileBytes;

class WriteFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vantrel-write-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Only the files the test made itself: no temporary file may be left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
  const Bytes old_{'o', 'l', 'd'};
  const Bytes new_{0x89, 'P', 'N', 'G', 0, 1, 2, 3};
};

TEST_F(WriteFileTest, CreatesAndReplacesWithExactlyTheBytes) {
  const fs::path target = dir_ / "qr.jpg";
  ASSERT_TRUE(WriteFile(target.string(), old_));
  EXPECT_EQ(FileBytes(target), old_);
  ASSERT_TRUE(WriteFile(target.string(), new_));
  EXPECT_EQ(FileBytes(target), new_);
  ASSERT_TRUE(WriteFile(target.string(), {}));
  EXPECT_EQ(fs::file_size(target), 0u);
  EXPECT_EQ(Names(), std::vector<std::string>{"qr.jpg"});
}

TEST_F(WriteFileTest, RefusesWhatCannotBeAFile) {
  EXPECT_FALSE(WriteFile("", new_));
  EXPECT_FALSE(WriteFile(dir_.string(), new_));
  EXPECT_FALSE(WriteFile((dir_ / "missing" / "qr.png").string(), new_));
  EXPECT_TRUE(Names().empty());
}

TEST_F(WriteFileTest, FailedWriteLeavesTheOldFileWhole) {
  const fs::path target = dir_ / "keep.png";
  ASSERT_TRUE(WriteFile(target.string(), old_));
  // A file-size limit makes the write itself fail half-way, as a full disk would.
  const Bytes large(64 * 1024, 0xAB);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
  rlimit limited = previous;
  limited.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  const bool written = WriteFile(target.string(), large);
  ::setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(FileBytes(target), old_);
  EXPECT_EQ(Names(), std::vector<std::string>{"keep.png"});
}

TEST_F(WriteFileTest, KeepsThePermissionsOfTheReplacedFile) {
  const fs::path target = dir_ / "shared.png";
  ASSERT_TRUE(WriteFile(target.string(), old_));
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFile(target.string(), new_));
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(WriteFileTest, NewFilesGetTheUmaskDefaultNotATemporaryFilesMode) {
  const mode_t mask = ::umask(022);
  const fs::path target = dir_ / "fresh.png";
  const bool written = WriteFile(target.string(), new_);
  ::umask(mask);
  ASSERT_TRUE(written);
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST_F(WriteFileTest, FollowsSymbolicLinksAndKeepsThem) {
  fs::create_directory(dir_ / "real");
  const fs::path target = dir_ / "real" / "qr.png";
  ASSERT_TRUE(WriteFile(target.string(), old_));
  fs::create_symlink("real/qr.png", dir_ / "relative");
  fs::create_symlink(dir_ / "relative", dir_ / "chained");

  ASSERT_TRUE(WriteFile((dir_ / "chained").string(), new_));
  EXPECT_TRUE(fs::is_symlink(dir_ / "chained"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "relative"));
  EXPECT_EQ(FileBytes(target), new_);

  // A link to a file that does not exist yet makes that file.
  fs::create_symlink("real/later.png", dir_ / "dangling");
  ASSERT_TRUE(WriteFile((dir_ / "dangling").string(), new_));
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling"));
  EXPECT_EQ(FileBytes(dir_ / "real" / "later.png"), new_);
}

TEST_F(WriteFileTest, ALinkLoopIsAFailure) {
  fs::create_symlink("b", dir_ / "a");
  fs::create_symlink("a", dir_ / "b");
  EXPECT_FALSE(WriteFile((dir_ / "a").string(), new_));
  EXPECT_TRUE(fs::is_symlink(dir_ / "a"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace vantrel::app
