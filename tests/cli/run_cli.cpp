#include "tests/cli/run_cli.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace vantrel::cli::testing {
namespace {

// Files instead of pipes: the child may write megabytes while its input is still pending.
struct TempFile {
  std::string path;
  explicit TempFile(const std::string& content) {
    char name[] = "/tmp/vantrel-cli-test-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) throw std::runtime_error("mkstemp");
    if (!content.empty() && write(fd, content.data(), content.size()) < 0) {
      close(fd);
      throw std::runtime_error("write");
    }
    close(fd);
    path = name;
  }
  ~TempFile() { unlink(path.c_str()); }
  std::string read() const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

}  // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& input) {
  const TempFile in(input);
  const TempFile out("");
  const TempFile err("");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.path.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.path.c_str(), O_WRONLY | O_TRUNC, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err.path.c_str(), O_WRONLY | O_TRUNC, 0);

  std::vector<std::string> argv0 = {VANTREL_CLI_PATH};
  argv0.insert(argv0.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argv0) argv.push_back(arg.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, VANTREL_CLI_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  CliResult result;
  if (spawned != 0) return result;
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  result.out = out.read();
  result.err = err.read();
  return result;
}

}  // namespace vantrel::cli::testing
