#include "platform/regexp/regexp_object.h"

#include "platform/automation/variant.h"
#include "platform/regexp/match_collection.h"
#include "platform/regexp/replacement.h"

namespace vantrel::platform {
namespace {

enum : DISPID {
  kPattern = 10001,
  kIgnoreCase,
  kGlobal,
  kMultiline,
  kExecute,
  kTest,
  kReplace,
};

constexpr Member kMembers[] = {
    {u"Pattern", kPattern, MemberForm::Property},
    {u"IgnoreCase", kIgnoreCase, MemberForm::Property},
    {u"Global", kGlobal, MemberForm::Property},
    {u"Multiline", kMultiline, MemberForm::Property},
    {u"Execute", kExecute, MemberForm::Method},
    {u"Test", kTest, MemberForm::Method},
    {u"Replace", kReplace, MemberForm::Method},
};

// Clears a coerced argument on every way out.
struct ArgumentHolder {
  VARIANT value;
  ~ArgumentHolder() { VariantClear(&value); }
};

}  // namespace

ComPtr<IUnknown> CreateRegExpObject() {
  return ComPtr<IUnknown>::Adopt(static_cast<IDispatch*>(MakeObject<RegExpObject>().Detach()));
}

std::span<const Member> RegExpObject::Members() const { return kMembers; }

HRESULT RegExpObject::InvokeMember(DISPID id, Action action, const Arguments& arguments,
                                   VARIANT& result) {
  bool* flag = id == kIgnoreCase ? &ignoreCase_
               : id == kGlobal   ? &global_
               : id == kMultiline ? &multiline_
                                  : nullptr;
  switch (id) {
    case kPattern:
      if (action == Action::Get) {
        if (arguments.Count() != 0) return DISP_E_BADPARAMCOUNT;
        return SetText(result, pattern_);
      } else {
        if (arguments.Count() != 1) return DISP_E_BADPARAMCOUNT;
        ArgumentHolder holder;
        std::u16string_view text;
        if (const HRESULT hr = arguments.ReadText(0, holder.value, text); FAILED(hr)) return hr;
        pattern_.assign(text);
        compiled_.reset();
        return S_OK;
      }
    case kIgnoreCase:
    case kGlobal:
    case kMultiline:
      if (action == Action::Get) {
        if (arguments.Count() != 0) return DISP_E_BADPARAMCOUNT;
        SetBool(result, *flag);
        return S_OK;
      } else {
        if (arguments.Count() != 1) return DISP_E_BADPARAMCOUNT;
        bool value = false;
        if (const HRESULT hr = arguments.ReadBool(0, value); FAILED(hr)) return hr;
        if (value != *flag && id != kGlobal) compiled_.reset();
        *flag = value;
        return S_OK;
      }
    case kExecute:
      return Execute(arguments, result);
    case kTest:
      return Test(arguments, result);
    case kReplace:
      return Replace(arguments, result);
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT RegExpObject::Compiled(const CompiledPattern*& compiled) {
  if (!compiled_) {
    if (const HRESULT hr = CompiledPattern::Compile(pattern_, ignoreCase_, multiline_, compiled_);
        FAILED(hr))
      return hr;
  }
  compiled = compiled_.get();
  return S_OK;
}

HRESULT RegExpObject::Execute(const Arguments& arguments, VARIANT& result) {
  if (arguments.Count() != 1) return DISP_E_BADPARAMCOUNT;
  ArgumentHolder holder;
  std::u16string_view subject;
  if (const HRESULT hr = arguments.ReadText(0, holder.value, subject); FAILED(hr)) return hr;
  const CompiledPattern* compiled = nullptr;
  if (const HRESULT hr = Compiled(compiled); FAILED(hr)) return hr;

  auto matches = std::make_shared<MatchSet>();
  matches->subject.assign(subject);
  matches->groupCount = compiled->GroupCount();
  if (const HRESULT hr = compiled->Search(matches->subject, global_, matches->spans); FAILED(hr))
    return hr;
  matches->matchCount = matches->spans.size() / (2 * matches->PairsPerMatch());
  SetObject(result, MakeObject<MatchCollection>(std::move(matches)));
  return S_OK;
}

HRESULT RegExpObject::Test(const Arguments& arguments, VARIANT& result) {
  if (arguments.Count() != 1) return DISP_E_BADPARAMCOUNT;
  ArgumentHolder holder;
  std::u16string_view subject;
  if (const HRESULT hr = arguments.ReadText(0, holder.value, subject); FAILED(hr)) return hr;
  const CompiledPattern* compiled = nullptr;
  if (const HRESULT hr = Compiled(compiled); FAILED(hr)) return hr;
  std::vector<std::int32_t> spans;
  if (const HRESULT hr = compiled->Search(subject, false, spans, 1); FAILED(hr)) return hr;
  SetBool(result, !spans.empty());
  return S_OK;
}

HRESULT RegExpObject::Replace(const Arguments& arguments, VARIANT& result) {
  if (arguments.Count() != 2) return DISP_E_BADPARAMCOUNT;
  ArgumentHolder subjectHolder;
  ArgumentHolder replacementHolder;
  std::u16string_view subject;
  std::u16string_view replacement;
  if (const HRESULT hr = arguments.ReadText(0, subjectHolder.value, subject); FAILED(hr))
    return hr;
  if (const HRESULT hr = arguments.ReadText(1, replacementHolder.value, replacement); FAILED(hr))
    return hr;
  const CompiledPattern* compiled = nullptr;
  if (const HRESULT hr = Compiled(compiled); FAILED(hr)) return hr;

  MatchSet matches;
  matches.subject.assign(subject);
  matches.groupCount = compiled->GroupCount();
  if (const HRESULT hr = compiled->Search(matches.subject, global_, matches.spans); FAILED(hr))
    return hr;
  matches.matchCount = matches.spans.size() / (2 * matches.PairsPerMatch());
  std::u16string out;
  std::size_t copied = 0;
  for (std::size_t match = 0; match < matches.MatchCount(); ++match) {
    const auto start = static_cast<std::size_t>(matches.Start(match));
    out.append(matches.subject, copied, start - copied);
    AppendReplacement(out, replacement, matches, match);
    copied = static_cast<std::size_t>(matches.End(match));
  }
  out.append(matches.subject, copied);
  return SetText(result, out);
}

}  // namespace vantrel::platform
