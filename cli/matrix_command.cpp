// matrix TEXT: the final symbol, one line of 0/1 per row, 1 for dark.
#include "cli/arguments.h"
#include "cli/commands.h"
#include "encoder/entry.h"
#include "encoder/qr_code.h"

namespace vantrel::cli {

int RunMatrix(std::span<const std::string> args) {
  const ParsedArguments parsed = ParseArguments(args, "");
  if (!parsed.error.empty()) return UsageError("matrix", parsed.error);
  if (parsed.operands.size() != 1)
    return UsageError("matrix", parsed.operands.empty() ? "missing TEXT" : "too many arguments");
  const std::optional<std::string> text = ReadText(parsed.operands[0]);
  if (!text) return Failure("cannot read standard input");

  std::string rows;
  try {
    const encoder::SymbolModel model = encoder::makeSymbol(ToContent(*text));
    const int n = model.getModuleCount();
    rows.reserve(static_cast<std::size_t>(n) * (n + 1));
    for (int r = 0; r < n; ++r) {
      for (int c = 0; c < n; ++c) rows += model.isDark(r, c) ? '1' : '0';
      rows += '\n';
    }
  } catch (const encoder::EncoderError& error) {
    return Failure(error.what());
  }
  return WriteOutput(rows) ? kExitOk : Failure("cannot write standard output");
}

}  // namespace vantrel::cli
