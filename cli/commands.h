#pragma once
// The commands of vantrel-cli. A command is one function in its own file and one row of the
// table in commands.cpp.
#include <span>
#include <string>
#include <string_view>

namespace vantrel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the work failed (an encoder error, an I/O error)
inline constexpr int kExitUsage = 2;    // the command line was wrong

// A command gets the arguments after its name and returns the exit code.
using CommandFunction = int (*)(std::span<const std::string> args);

struct Command {
  std::string_view name;
  std::string_view usage;  // the arguments, after the name
  std::string_view summary;
  CommandFunction run;
};

int RunMatrix(std::span<const std::string> args);
int RunCells(std::span<const std::string> args);
int RunGenerate(std::span<const std::string> args);
int RunBatch(std::span<const std::string> args);

std::span<const Command> Commands();

// Runs the command named by args[0].
int Dispatch(std::span<const std::string> args);

// Writes "vantrel-cli: message" and the command's usage to standard error; returns
// kExitUsage.
int UsageError(std::string_view command, std::string_view message);

// Writes "vantrel-cli: message" to standard error; returns kExitFailure.
int Failure(std::string_view message);

}  // namespace vantrel::cli
