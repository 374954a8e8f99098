#pragma once
// Runs a regular expression ("VBScript.RegExp") over a text and reads the matches one by one.
//
// Construction initialises COM on the calling thread (single-threaded apartment) and
// destruction uninitialises it once, so a matcher brackets every automation call made while
// it lives. Match and group numbers count from 1. Every reading refers to the last Match and
// gives 0 or an empty text when there is nothing to read (no Match yet, Match failed, index
// out of range). Not copyable: each matcher owns exactly one COM initialisation.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/automation/scoped_variant.h"
#include "script/automation_object.h"

namespace vantrel::script {

class RegexMatcher {
 public:
  RegexMatcher();
  virtual ~RegexMatcher();
  RegexMatcher(const RegexMatcher&) = delete;
  RegexMatcher& operator=(const RegexMatcher&) = delete;

  // Options left out: caseSensitive false, multiline true, global true, quoteMarker false.
  // With quoteMarker every "#引号" in the pattern stands for a double quote. True when a
  // match collection was obtained, also when it holds no match.
  virtual bool Match(std::string_view pattern, std::string_view subject,
                     std::optional<bool> caseSensitive = std::nullopt,
                     std::optional<bool> multiline = std::nullopt,
                     std::optional<bool> global = std::nullopt,
                     std::optional<bool> quoteMarker = std::nullopt);
  virtual std::string GetPattern();
  // The last subject with the matches of the last pattern replaced ($1, $&, ... expanded).
  virtual std::string ReplaceText(std::string_view replacement);
  virtual std::int32_t MatchCount();
  // position, when given, receives the 0-based byte offset of the returned text in the
  // subject, or -1 when that text cannot be found there (a match that splits a character).
  virtual std::string MatchText(std::int32_t index, std::int32_t* position = nullptr);
  virtual std::string SubMatchText(std::int32_t index, std::int32_t group,
                                   std::int32_t* position = nullptr);
  virtual std::int32_t SubMatchCount();

 private:
  // The byte offset of text in the subject, searched from the given UTF-16 index on.
  std::int32_t BytePosition(const std::string& text, std::int32_t firstIndex);

  AutomationObject regexp_;
  AutomationObject matches_;
  platform::ScopedVariant subject_;
  std::optional<std::string> subjectAnsi_;  // the subject back in ANSI, made on first need
};

}  // namespace vantrel::script
