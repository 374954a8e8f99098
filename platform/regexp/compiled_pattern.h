#pragma once
// A pattern compiled by PCRE2 (16-bit code units, JIT when available) with options that give
// it the JScript/VBScript meaning: ASCII \w \d \s \b (no UTF/UCP, so the subject is a plain
// sequence of UTF-16 units and a lone surrogate is just another unit), \uhhhh and \xhh,
// unknown escapes literal ("\," is ","), "[]" matching nothing and "[^]" anything, a
// backreference to a group that did not take part matching the empty string, "$" only at
// the very end unless multiline, and CR / LF as line ends.
//
// Each search runs under PCRE2's match and depth limits, so catastrophic backtracking ends
// as REGEXP_E_TOO_COMPLEX within a bounded time per start position instead of hanging.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/automation/automation_types.h"

namespace vantrel::platform {

class CompiledPattern {
 public:
  // REGEXP_E_SYNTAX when the pattern does not compile.
  static HRESULT Compile(std::u16string_view pattern, bool ignoreCase, bool multiline,
                         std::unique_ptr<CompiledPattern>& compiled);
  ~CompiledPattern();
  CompiledPattern(const CompiledPattern&) = delete;
  CompiledPattern& operator=(const CompiledPattern&) = delete;

  std::uint32_t GroupCount() const { return groupCount_; }

  // Appends (GroupCount() + 1) start/end pairs per match to spans (MatchSet's layout): the
  // first match only, or every match when global, where an empty match moves the next
  // search on by one unit. Stops after maxMatches.
  HRESULT Search(std::u16string_view subject, bool global, std::vector<std::int32_t>& spans,
                 std::size_t maxMatches = SIZE_MAX) const;

 private:
  struct Native;
  explicit CompiledPattern(std::unique_ptr<Native> native);
  std::unique_ptr<Native> native_;
  std::uint32_t groupCount_ = 0;
};

}  // namespace vantrel::platform
