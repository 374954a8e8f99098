#pragma once
// Replacement texts read as JScript reads them: $1..$99 (two digits when that group exists,
// else one), $& the match, $` the text before it, $' the text after it, $$ a dollar; a
// group that did not take part gives nothing; any other "$" stands for itself.
#include <string>
#include <string_view>

#include "platform/regexp/match_set.h"

namespace vantrel::platform {

void AppendReplacement(std::u16string& out, std::u16string_view replacement,
                       const MatchSet& matches, std::size_t match);

}  // namespace vantrel::platform
