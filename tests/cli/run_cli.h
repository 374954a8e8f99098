#pragma once
// Runs the built vantrel-cli as a child process with the given arguments and standard input.
#include <string>
#include <vector>

namespace vantrel::cli::testing {

struct CliResult {
  int exitCode = -1;  // -1 when the process did not exit normally
  std::string out;
  std::string err;
};

CliResult RunCli(const std::vector<std::string>& args, const std::string& input = "");

}  // namespace vantrel::cli::testing
