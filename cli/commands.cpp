#include "cli/commands.h"

#include <array>
#include <iostream>

namespace vantrel::cli {
namespace {

constexpr std::array kCommands = {
    Command{"matrix", "TEXT", "print the symbol as rows of 0/1 (1 dark)", RunMatrix},
    Command{"cells", "[-W WIDTH] [-H HEIGHT] TEXT",
            "print the cell list for an image of WIDTH x HEIGHT pixels (default 256)", RunCells},
    Command{"generate", "[-W WIDTH] [-H HEIGHT] [-o FILE] TEXT",
            "write the PNG picture the window makes (default 256 x 256) to FILE or, without\n"
            "      -o or with -o -, to standard output",
            RunGenerate},
    Command{"batch", "[-W WIDTH] [-H HEIGHT] [-d DIR] FILE",
            "write DIR/N.png (default DIR .) for every non-empty line N of FILE (- for\n"
            "      standard input)",
            RunBatch},
};

void PrintUsage(std::ostream& out) {
  out << "usage: vantrel-cli COMMAND [ARGS]\n\ncommands:\n";
  for (const Command& command : kCommands)
    out << "  " << command.name << " " << command.usage << "\n      " << command.summary << "\n";
  out << "\nSizes are read like the window's size fields: \"12.9\" is 12, \"1e2\" is 100.\n";
  out << "TEXT is UTF-8; \"-\" reads it from standard input, every byte as given.\n";
}

}  // namespace

std::span<const Command> Commands() { return kCommands; }

int Dispatch(std::span<const std::string> args) {
  if (args.empty()) {
    PrintUsage(std::cerr);
    return kExitUsage;
  }
  if (args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
    PrintUsage(std::cout);
    return kExitOk;
  }
  for (const Command& command : kCommands)
    if (command.name == args[0]) return command.run(args.subspan(1));
  std::cerr << "vantrel-cli: unknown command \"" << args[0] << "\"\n";
  PrintUsage(std::cerr);
  return kExitUsage;
}

int UsageError(std::string_view command, std::string_view message) {
  std::cerr << "vantrel-cli: " << message << "\n";
  for (const Command& c : kCommands)
    if (c.name == command) std::cerr << "usage: vantrel-cli " << c.name << " " << c.usage << "\n";
  return kExitUsage;
}

int Failure(std::string_view message) {
  std::cerr << "vantrel-cli: " << message << "\n";
  return kExitFailure;
}

}  // namespace vantrel::cli
