// vantrel-cli: the encoder and, later, the picture from the command line.
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vantrel::cli::Dispatch(args);
}
