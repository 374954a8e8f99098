// cells [-W WIDTH] [-H HEIGHT] TEXT: the encoder's cell list, as the window's Generate reads it.
#include "cli/arguments.h"
#include "cli/commands.h"
#include "encoder/entry.h"

namespace vantrel::cli {

int RunCells(std::span<const std::string> args) {
  const ParsedArguments parsed = ParseArguments(args, "WH");
  if (!parsed.error.empty()) return UsageError("cells", parsed.error);
  if (parsed.operands.size() != 1)
    return UsageError("cells", parsed.operands.empty() ? "missing TEXT" : "too many arguments");

  double sizes[2] = {256, 256};
  const char letters[2] = {'W', 'H'};
  for (int i = 0; i < 2; ++i) {
    const auto option = parsed.options.find(letters[i]);
    if (option == parsed.options.end()) continue;
    const std::optional<double> size = ParseSize(option->second);
    if (!size) return UsageError("cells", "bad size \"" + option->second + "\"");
    sizes[i] = *size;
  }
  const std::optional<std::string> text = ReadText(parsed.operands[0]);
  if (!text) return Failure("cannot read standard input");

  std::string list;
  try {
    list = encoder::test(ToContent(*text), sizes[0], sizes[1]);
  } catch (const encoder::EncoderError& error) {
    return Failure(error.what());
  }
  list += '\n';
  return WriteOutput(list) ? kExitOk : Failure("cannot write standard output");
}

}  // namespace vantrel::cli
