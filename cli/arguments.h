#pragma once
// Command-line parsing shared by the commands: options, sizes and the content text.
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

struct ParsedArguments {
  std::map<char, std::string> options;  // option letter -> its value
  std::vector<std::string> operands;
  std::string error;                    // empty when the arguments parse
};

// Options take a value, as "-W 300" or "-W300", and are letters from valueOptions. "--" ends
// the options; a lone "-" is an operand (standard input).
ParsedArguments ParseArguments(std::span<const std::string> args, std::string_view valueOptions);

// The value given for an option letter, or nothing when it was not given.
std::optional<std::string> OptionValue(const ParsedArguments& parsed, char letter);

// A size in pixels: a finite decimal number, used as given.
std::optional<double> ParseSize(std::string_view text);

// The TEXT operand: "-" reads all of standard input. Nothing on a read failure.
std::optional<std::string> ReadText(const std::string& operand);

// UTF-8 (our ANSI code page) to the UTF-16 code units the encoder takes.
std::u16string ToContent(std::string_view utf8);

// Writes all of text to standard output; false when it could not be written.
bool WriteOutput(std::string_view text);

}  // namespace vantrel::cli
