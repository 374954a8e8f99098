#include "cli/arguments.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <iterator>

#include "platform/text/code_page.h"

namespace vantrel::cli {

ParsedArguments ParseArguments(std::span<const std::string> args, std::string_view valueOptions) {
  ParsedArguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      parsed.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const char letter = arg[1];
    if (valueOptions.find(letter) == std::string_view::npos) {
      parsed.error = "unknown option " + arg;
      return parsed;
    }
    if (arg.size() > 2) {
      parsed.options[letter] = arg.substr(2);
    } else if (i + 1 < args.size()) {
      parsed.options[letter] = args[++i];
    } else {
      parsed.error = "option " + arg + " needs a value";
      return parsed;
    }
  }
  return parsed;
}

std::optional<std::string> OptionValue(const ParsedArguments& parsed, char letter) {
  const auto found = parsed.options.find(letter);
  if (found == parsed.options.end()) return std::nullopt;
  return found->second;
}

std::optional<double> ParseSize(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::string> ReadText(const std::string& operand) {
  if (operand != "-") return operand;
  std::string text;
  char buffer[65536];
  std::size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) text.append(buffer, count);
  if (std::ferror(stdin)) return std::nullopt;
  return text;
}

std::u16string ToContent(std::string_view utf8) { return platform::Utf8ToUtf16(utf8); }

bool WriteOutput(std::string_view text) {
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cout.flush();
  return static_cast<bool>(std::cout);
}

}  // namespace vantrel::cli
