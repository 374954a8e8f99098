#include "app/write_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <random>
#include <string>

namespace vantrel::app {
namespace {

// Linux's own bound on links followed in one path walk.
constexpr int kMaxLinkDepth = 40;

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that writing to `path` would change: the end of its chain of symbolic links
// (which may not exist yet). Nothing when the chain is too long or unreadable.
bool ResolveLinks(std::string& path) {
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return false;
    target.resize(static_cast<std::size_t>(length));
    path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
  }
  return false;
}

// A new, empty file beside the target, opened for writing; -1 when none can be made.
int CreateSibling(const std::string& target, std::string& siblingPath) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::string stem = FolderOf(target) + "/." + NameOf(target) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    siblingPath = stem + std::to_string(random() % 1'000'000'000) + ".tmp";
    // 0666 under the umask, as a plain newly created file would get.
    const int fd = ::open(siblingPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

// The replaced file's permission bits, and its owner when we may set it.
void TakeOverAttributes(int fd, const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) return;
  ::fchmod(fd, info.st_mode & 07777);
  if (::fchown(fd, info.st_uid, info.st_gid) == 0) ::fchmod(fd, info.st_mode & 07777);
}

}  // namespace

bool WriteFile(std::string_view fileName, std::span<const std::uint8_t> bytes) {
  if (fileName.empty()) return false;
  std::string target(fileName);
  if (!ResolveLinks(target)) return false;

  struct stat existing {};
  const bool replacing = ::stat(target.c_str(), &existing) == 0;
  if (replacing && !S_ISREG(existing.st_mode)) return false;

  std::string temporary;
  const int fd = CreateSibling(target, temporary);
  if (fd < 0) return false;
  TakeOverAttributes(fd, target);
  // Before a rename replaces a file the new data must be on disk, or a crash could leave an
  // empty file where the old one was. A new name loses nothing, so it is spared the wait.
  const bool written = WriteAll(fd, bytes) && (!replacing || ::fsync(fd) == 0);
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace vantrel::app
