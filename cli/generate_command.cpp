// generate [-W WIDTH] [-H HEIGHT] [-o FILE] TEXT: the PNG the window's Generate makes.
#include "app/write_file.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/picture.h"

namespace vantrel::cli {

int RunGenerate(std::span<const std::string> args) {
  const ParsedArguments parsed = ParseArguments(args, "WHo");
  if (!parsed.error.empty()) return UsageError("generate", parsed.error);
  if (parsed.operands.size() != 1)
    return UsageError("generate", parsed.operands.empty() ? "missing TEXT" : "too many arguments");
  const std::optional<std::string> output = OptionValue(parsed, 'o');
  if (output && output->empty()) return UsageError("generate", "empty output file name");

  const std::optional<std::string> text = ReadText(parsed.operands[0]);
  if (!text) return Failure("cannot read standard input");
  const PictureResult picture =
      MakePicture(*text, SizeFromOptions(OptionValue(parsed, 'W'), OptionValue(parsed, 'H')));
  if (!picture.error.empty()) return Failure(picture.error);

  if (!output || *output == "-") {
    const std::string_view bytes(reinterpret_cast<const char*>(picture.png.data()),
                                 picture.png.size());
    return WriteOutput(bytes) ? kExitOk : Failure("cannot write standard output");
  }
  if (!app::WriteFile(*output, picture.png)) return Failure("cannot write \"" + *output + "\"");
  return kExitOk;
}

}  // namespace vantrel::cli
