#include "platform/regexp/compiled_pattern.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>

#include "platform/regexp/match_set.h"
#include "platform/regexp/regexp_errors.h"

namespace vantrel::platform {
namespace {

// About 15 ms of JIT backtracking (100 ms interpreted) at one start position.
constexpr std::uint32_t kMatchLimit = 10'000'000;
constexpr std::uint32_t kDepthLimit = 100'000;
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 4 * 1024 * 1024;

struct CodeDeleter {
  void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct CompileContextDeleter {
  void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};
struct MatchContextDeleter {
  void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct MatchDataDeleter {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct JitStackDeleter {
  void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};

}  // namespace

struct CompiledPattern::Native {
  std::unique_ptr<pcre2_code, CodeDeleter> code;
  std::unique_ptr<pcre2_match_context, MatchContextDeleter> context;
  std::unique_ptr<pcre2_jit_stack, JitStackDeleter> jitStack;
  std::unique_ptr<pcre2_match_data, MatchDataDeleter> data;
};

CompiledPattern::CompiledPattern(std::unique_ptr<Native> native) : native_(std::move(native)) {
  pcre2_pattern_info(native_->code.get(), PCRE2_INFO_CAPTURECOUNT, &groupCount_);
}

CompiledPattern::~CompiledPattern() = default;

HRESULT CompiledPattern::Compile(std::u16string_view pattern, bool ignoreCase, bool multiline,
                                 std::unique_ptr<CompiledPattern>& compiled) {
  // With unknown escapes taken literally PCRE2 would accept a lone "\" at the end.
  std::size_t trailingBackslashes = 0;
  while (trailingBackslashes < pattern.size() &&
         pattern[pattern.size() - 1 - trailingBackslashes] == u'\\')
    ++trailingBackslashes;
  if (trailingBackslashes % 2 == 1) return REGEXP_E_SYNTAX;

  std::unique_ptr<pcre2_compile_context, CompileContextDeleter> compileContext(
      pcre2_compile_context_create(nullptr));
  if (!compileContext) return E_OUTOFMEMORY;
  pcre2_set_newline(compileContext.get(), PCRE2_NEWLINE_ANYCRLF);
  pcre2_set_compile_extra_options(compileContext.get(), PCRE2_EXTRA_BAD_ESCAPE_IS_LITERAL);

  // A pattern may not switch to UTF or Unicode properties with (*UTF) or (*UCP): \w stays
  // ASCII and the subject stays a plain sequence of units, lone surrogates included.
  std::uint32_t options = PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF | PCRE2_ALLOW_EMPTY_CLASS |
                          PCRE2_DOLLAR_ENDONLY | PCRE2_NEVER_UTF | PCRE2_NEVER_UCP;
  if (ignoreCase) options |= PCRE2_CASELESS;
  if (multiline) options |= PCRE2_MULTILINE;

  // A null pointer is not allowed even for an empty pattern.
  static constexpr PCRE2_UCHAR kEmpty[] = {0};
  const PCRE2_SPTR source =
      pattern.empty() ? kEmpty : reinterpret_cast<PCRE2_SPTR>(pattern.data());
  int error = 0;
  PCRE2_SIZE errorOffset = 0;
  auto native = std::make_unique<Native>();
  native->code.reset(pcre2_compile(source, pattern.size(), options, &error, &errorOffset,
                                   compileContext.get()));
  if (!native->code) return error == PCRE2_ERROR_NOMEMORY ? E_OUTOFMEMORY : REGEXP_E_SYNTAX;

  native->context.reset(pcre2_match_context_create(nullptr));
  native->data.reset(pcre2_match_data_create_from_pattern(native->code.get(), nullptr));
  if (!native->context || !native->data) return E_OUTOFMEMORY;
  pcre2_set_match_limit(native->context.get(), kMatchLimit);
  pcre2_set_depth_limit(native->context.get(), kDepthLimit);
  // Without JIT (unsupported construct, no executable memory) the interpreter runs instead.
  if (pcre2_jit_compile(native->code.get(), PCRE2_JIT_COMPLETE) == 0) {
    native->jitStack.reset(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr));
    if (native->jitStack)
      pcre2_jit_stack_assign(native->context.get(), nullptr, native->jitStack.get());
  }
  compiled.reset(new CompiledPattern(std::move(native)));
  return S_OK;
}

HRESULT CompiledPattern::Search(std::u16string_view subject, bool global,
                                std::vector<std::int32_t>& spans, std::size_t maxMatches) const {
  static constexpr PCRE2_UCHAR kEmpty[] = {0};
  const PCRE2_SPTR text = subject.empty() ? kEmpty : reinterpret_cast<PCRE2_SPTR>(subject.data());
  const std::size_t length = subject.size();
  pcre2_match_data* data = native_->data.get();
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data);
  const std::size_t pairs = std::size_t{groupCount_} + 1;

  std::size_t found = 0;
  std::size_t offset = 0;
  while (offset <= length && found < maxMatches) {
    const int rc =
        pcre2_match(native_->code.get(), text, length, offset, 0, data, native_->context.get());
    if (rc == PCRE2_ERROR_NOMATCH) break;
    if (rc == PCRE2_ERROR_NOMEMORY) return E_OUTOFMEMORY;
    if (rc < 0) return REGEXP_E_TOO_COMPLEX;
    for (std::size_t pair = 0; pair < pairs; ++pair) {
      const PCRE2_SIZE start = ovector[2 * pair];
      if (start == PCRE2_UNSET) {
        spans.push_back(MatchSet::kUnset);
        spans.push_back(MatchSet::kUnset);
      } else {
        spans.push_back(static_cast<std::int32_t>(start));
        spans.push_back(static_cast<std::int32_t>(ovector[2 * pair + 1]));
      }
    }
    ++found;
    if (!global) break;
    if (found == 1) {
      // Guess the room for all matches from the first one, bounded by the subject's size, to
      // spare the copies of repeated growth over long subjects such as a cell list.
      const std::size_t step = std::max<std::size_t>(ovector[1] - offset, 1);
      const std::size_t expected = std::min(length / step + 1, length / (2 * pairs) + 1);
      spans.reserve(spans.size() + expected * 2 * pairs);
    }
    const std::size_t end = ovector[1];
    offset = end > ovector[0] ? end : end + 1;
  }
  return S_OK;
}

}  // namespace vantrel::platform
