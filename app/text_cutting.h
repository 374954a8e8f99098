#pragma once
// Cutting pieces out of a text by markers. Comparison is byte for byte (case matters) and a
// match only starts where a character starts, never inside a UTF-8 sequence. An empty marker
// is never found.
#include <string>
#include <string_view>

namespace vantrel::app {

// The text strictly between the first `left` and the first `right` after it; empty when
// either is missing. "#引号" in a marker stands for a double quote.
std::string TextBetween(std::string_view text, std::string_view left, std::string_view right);

// Everything after the last `marker`; empty when it is missing or ends the text.
std::string TextAfterLast(std::string_view text, std::string_view marker);

}  // namespace vantrel::app
