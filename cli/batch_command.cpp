// batch [-W WIDTH] [-H HEIGHT] [-d DIR] FILE: one PNG per non-empty line of FILE, named by
// its line number ("DIR/7.png" for line 7), all in one process.
#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "app/write_file.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/picture.h"

namespace vantrel::cli {
namespace {

// The whole input, from standard input for "-"; nothing when it cannot be read.
std::optional<std::string> ReadLines(const std::string& operand) {
  if (operand == "-") return ReadText(operand);
  std::ifstream in(operand, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), {});
  if (in.bad()) return std::nullopt;
  return text;
}

}  // namespace

int RunBatch(std::span<const std::string> args) {
  const ParsedArguments parsed = ParseArguments(args, "WHd");
  if (!parsed.error.empty()) return UsageError("batch", parsed.error);
  if (parsed.operands.size() != 1)
    return UsageError("batch", parsed.operands.empty() ? "missing FILE" : "too many arguments");
  const std::filesystem::path dir = OptionValue(parsed, 'd').value_or(".");
  const PictureSize size =
      SizeFromOptions(OptionValue(parsed, 'W'), OptionValue(parsed, 'H'));

  const std::optional<std::string> input = ReadLines(parsed.operands[0]);
  if (!input) return Failure("cannot read \"" + parsed.operands[0] + "\"");
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error || !std::filesystem::is_directory(dir))
    return Failure("cannot make the folder \"" + dir.string() + "\"");

  // Every picture allocates and frees the same few large buffers: kept in the heap instead
  // of mapped and unmapped each time, they cost no fresh page faults after the first.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);

  int failures = 0;
  std::size_t lineNumber = 0;
  std::string_view rest = *input;
  while (!rest.empty()) {
    ++lineNumber;
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    // Lines from Windows editors end in CR LF; the CR is not part of the content.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;

    const std::string where = "line " + std::to_string(lineNumber);
    const PictureResult picture = MakePicture(line, size);
    if (!picture.error.empty()) {
      Failure(where + ": " + picture.error);
      ++failures;
      continue;
    }
    const std::string file = (dir / (std::to_string(lineNumber) + ".png")).string();
    if (!app::WriteFile(file, picture.png)) {
      Failure(where + ": cannot write \"" + file + "\"");
      ++failures;
    }
  }
  return failures == 0 ? kExitOk : kExitFailure;
}

}  // namespace vantrel::cli
