#include "script/regex_matcher.h"

#include <cmath>

#include "platform/automation/bstr.h"
#include "platform/automation/com_runtime.h"
#include "script/ansi_text.h"

namespace vantrel::script {

using namespace platform;

namespace {

constexpr std::string_view kQuoteMarker = "#引号";

constexpr MemberName kItem("Item");
constexpr MemberName kSubMatches("SubMatches");
constexpr MemberName kValue("Value");
constexpr MemberName kFirstIndex("FirstIndex");
constexpr MemberName kCount("Count");

// Toward zero, keeping the low 32 bits of the 64-bit integer.
std::int32_t TruncateToInt32(double value) {
  if (!(std::fabs(value) < 9.2e18)) return 0;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(
      static_cast<std::uint64_t>(static_cast<std::int64_t>(value))));
}

// '#' never occurs inside a multi-byte sequence, so a byte search cannot start mid-character.
std::string ReplaceQuoteMarkers(std::string_view pattern) {
  std::string out;
  out.reserve(pattern.size());
  std::size_t from = 0;
  for (std::size_t at; (at = pattern.find(kQuoteMarker, from)) != std::string_view::npos;
       from = at + kQuoteMarker.size()) {
    out.append(pattern, from, at - from);
    out.push_back('"');
  }
  out.append(pattern, from);
  return out;
}

// Bytes that the first `units` UTF-16 units take in ANSI; an index inside a surrogate pair
// is moved back to the pair's start.
std::size_t AnsiLengthOfPrefix(std::u16string_view text, std::size_t units) {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < units && i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit < 0x80) {
      bytes += 1;
    } else if (unit < 0x800) {
      bytes += 2;
    } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
               text[i + 1] <= 0xDFFF) {
      if (i + 1 >= units) break;
      bytes += 4;
      ++i;
    } else {
      bytes += 3;  // also a lone surrogate, which becomes U+FFFD
    }
  }
  return bytes;
}

}  // namespace

RegexMatcher::RegexMatcher() { CoInitialize(nullptr); }

RegexMatcher::~RegexMatcher() {
  Clear(regexp_);
  Clear(matches_);
  subject_.Clear();
  CoUninitialize();
}

bool RegexMatcher::Match(std::string_view pattern, std::string_view subject,
                         std::optional<bool> caseSensitive, std::optional<bool> multiline,
                         std::optional<bool> global, std::optional<bool> quoteMarker) {
  const bool ignoreCase = !caseSensitive.value_or(false);
  Clear(regexp_);
  Clear(matches_);
  subject_.Clear();
  subjectAnsi_.reset();
  try {
    Create(regexp_, "VBScript.RegExp");
    SetProperty(regexp_, "IgnoreCase", ignoreCase);
    SetProperty(regexp_, "Multiline", multiline.value_or(true));
    SetProperty(regexp_, "Global", global.value_or(true));
    if (quoteMarker.value_or(false)) {
      SetProperty(regexp_, "Pattern", ReplaceQuoteMarkers(pattern));
    } else {
      SetProperty(regexp_, "Pattern", pattern);
    }
    VARIANT* value = subject_.Receive();
    value->bstrVal = AnsiToBstr(subject);
    if (value->bstrVal != nullptr) value->vt = VT_BSTR;
  } catch (...) {  // out of memory: the subject stays without text, Execute then finds none
    subject_.Clear();
  }

  matches_ = CallMethod<AutomationObject>(regexp_, "Execute", {subject_.Get()});
  return !IsEmpty(matches_);
}

std::string RegexMatcher::GetPattern() {
  if (IsEmpty(regexp_)) return {};
  return GetProperty<std::string>(regexp_, "Pattern");
}

std::string RegexMatcher::ReplaceText(std::string_view replacement) {
  return CallMethod<std::string>(regexp_, "Replace", {subject_.Get(), replacement});
}

std::int32_t RegexMatcher::MatchCount() {
  return TruncateToInt32(GetProperty<double>(matches_, kCount));
}

std::string RegexMatcher::MatchText(std::int32_t index, std::int32_t* position) {
  AutomationObject match =
      GetProperty<AutomationObject>(matches_, kItem, static_cast<double>(index) - 1);
  const ScopedVariant value = GetProperty<ScopedVariant>(match, kValue);
  std::string text = VariantToText(value.Get());
  if (position != nullptr) {
    const std::int32_t firstIndex = TruncateToInt32(GetProperty<double>(match, kFirstIndex));
    *position = IsEmpty(match) ? -1 : BytePosition(text, firstIndex);
  }
  Clear(match);
  return text;
}

std::string RegexMatcher::SubMatchText(std::int32_t index, std::int32_t group,
                                       std::int32_t* position) {
  AutomationObject match =
      GetProperty<AutomationObject>(matches_, kItem, static_cast<double>(index) - 1);
  AutomationObject groups = GetProperty<AutomationObject>(match, kSubMatches);
  const ScopedVariant value =
      GetProperty<ScopedVariant>(groups, kItem, static_cast<double>(group) - 1);
  std::string text = VariantToText(value.Get());
  if (position != nullptr) {
    const std::int32_t firstIndex = TruncateToInt32(GetProperty<double>(match, kFirstIndex));
    *position = IsEmpty(groups) ? -1 : BytePosition(text, firstIndex);
  }
  Clear(match);
  Clear(groups);
  return text;
}

std::int32_t RegexMatcher::SubMatchCount() {
  AutomationObject match = GetProperty<AutomationObject>(matches_, kItem, std::int32_t{0});
  AutomationObject groups = GetProperty<AutomationObject>(match, kSubMatches);
  const std::int32_t count = TruncateToInt32(GetProperty<double>(groups, kCount));
  Clear(match);
  Clear(groups);
  return count;
}

std::int32_t RegexMatcher::BytePosition(const std::string& text, std::int32_t firstIndex) {
  const VARIANT& subject = subject_.Get();
  if (subject.vt != VT_BSTR || firstIndex < 0) return -1;
  const std::u16string_view wide = BstrView(subject.bstrVal);
  try {
    if (!subjectAnsi_) subjectAnsi_ = WideToAnsi(wide);
  } catch (...) {
    return -1;
  }
  const std::size_t from = AnsiLengthOfPrefix(wide, static_cast<std::size_t>(firstIndex));
  const std::size_t at = subjectAnsi_->find(text, from);
  return at == std::string::npos ? -1 : static_cast<std::int32_t>(at);
}

}  // namespace vantrel::script
