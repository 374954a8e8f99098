// Random patterns, subjects, replacements and options for the regular-expression object,
// driven only through its dispatch interface. Besides the sanitizers' findings it stops on
// any answer that breaks the object's own contract.
//
// Input: byte 0 options (bit 0 IgnoreCase, 1 Global, 2 Multiline), byte 1 the pattern's and
// byte 2 the replacement's length in UTF-16 units; the rest is UTF-16 units (little endian):
// pattern, replacement, then the subject.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/automation/bstr.h"
#include "platform/automation/com_runtime.h"
#include "platform/automation/scoped_variant.h"
#include "platform/automation/variant.h"
#include "platform/regexp/regexp_errors.h"
#include "tests/support/variant_values.h"

using namespace vantrel::platform;

using vantrel::testing::Boolean;
using vantrel::testing::Integer;
using vantrel::testing::Text;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

HRESULT Invoke(IDispatch* object, const char16_t* member, WORD flags,
               std::vector<const VARIANT*> arguments, ScopedVariant& result) {
  std::u16string name(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = 0;
  const HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  Check(SUCCEEDED(found));
  std::vector<VARIANT> reversed;
  for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) reversed.push_back(**it);
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params;
  params.rgvarg = reversed.data();
  params.cArgs = static_cast<UINT>(reversed.size());
  if (flags == DISPATCH_PROPERTYPUT) params.rgdispidNamedArgs = &put, params.cNamedArgs = 1;
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Receive(),
                        nullptr, nullptr);
}

std::int32_t GetInt(IDispatch* object, const char16_t* member) {
  ScopedVariant result;
  Check(SUCCEEDED(Invoke(object, member, DISPATCH_PROPERTYGET, {}, result)));
  Check(result.Type() == VT_I4);
  return result.Get().lVal;
}

void Put(IDispatch* object, const char16_t* member, const ScopedVariant& value) {
  ScopedVariant ignored;
  Check(SUCCEEDED(Invoke(object, member, DISPATCH_PROPERTYPUT, {&value.Get()}, ignored)));
}

bool IsSubstringOf(std::u16string_view part, std::u16string_view whole) {
  return whole.find(part) != std::u16string_view::npos;
}

// Walks everything Execute answered and checks it against the subject.
void CheckCollection(IDispatch* collection, std::u16string_view subject, bool global) {
  const std::int32_t count = GetInt(collection, u"Count");
  Check(count >= 0 && (global || count <= 1));
  Check(static_cast<std::size_t>(count) <= subject.size() + 1);
  std::int32_t previousEnd = -1;
  for (std::int32_t i = 0; i < count; ++i) {
    ScopedVariant item;
    const ScopedVariant index = Integer(i);
    Check(SUCCEEDED(Invoke(collection, u"Item", DISPATCH_PROPERTYGET, {&index.Get()}, item)));
    Check(item.Type() == VT_DISPATCH && item.Get().pdispVal != nullptr);
    IDispatch* match = item.Get().pdispVal;
    const std::int32_t first = GetInt(match, u"FirstIndex");
    const std::int32_t length = GetInt(match, u"Length");
    Check(first >= 0 && length >= 0);
    Check(static_cast<std::size_t>(first) + length <= subject.size());
    Check(first >= previousEnd);  // in order, never overlapping
    previousEnd = first + length;
    ScopedVariant value;
    Check(SUCCEEDED(Invoke(match, u"Value", DISPATCH_PROPERTYGET, {}, value)));
    Check(value.Type() == VT_BSTR);
    Check(BstrView(value.Get().bstrVal) == subject.substr(first, length));

    ScopedVariant groups;
    Check(SUCCEEDED(Invoke(match, u"SubMatches", DISPATCH_PROPERTYGET, {}, groups)));
    IDispatch* subMatches = groups.Get().pdispVal;
    const std::int32_t groupCount = GetInt(subMatches, u"Count");
    Check(groupCount >= 0);
    for (std::int32_t g = 0; g <= groupCount; ++g) {
      ScopedVariant group;
      const ScopedVariant groupIndex = Integer(g);
      const HRESULT hr =
          Invoke(subMatches, u"Item", DISPATCH_PROPERTYGET, {&groupIndex.Get()}, group);
      if (g == groupCount) {
        Check(hr == DISP_E_BADINDEX);
        continue;
      }
      Check(SUCCEEDED(hr));
      Check(group.Type() == VT_EMPTY || group.Type() == VT_BSTR);
      if (group.Type() == VT_BSTR) Check(IsSubstringOf(BstrView(group.Get().bstrVal), subject));
    }
  }
  ScopedVariant beyond;
  const ScopedVariant index = Integer(count);
  Check(Invoke(collection, u"Item", DISPATCH_PROPERTYGET, {&index.Get()}, beyond) ==
        DISP_E_BADINDEX);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool initialised = SUCCEEDED(CoInitialize(nullptr));
  Check(initialised);
  if (size < 3) return 0;
  const bool ignoreCase = data[0] & 1, global = data[0] & 2, multiline = data[0] & 4;
  std::u16string units((size - 3) / 2, u'\0');
  std::memcpy(units.data(), data + 3, units.size() * 2);
  const std::size_t patternLength = std::min<std::size_t>(data[1], units.size());
  const std::size_t replacementLength =
      std::min<std::size_t>(data[2], units.size() - patternLength);
  const std::u16string_view all(units);
  const std::u16string_view pattern = all.substr(0, patternLength);
  const std::u16string_view replacement = all.substr(patternLength, replacementLength);
  const std::u16string_view subject = all.substr(patternLength + replacementLength);

  CLSID clsid;
  Check(SUCCEEDED(CLSIDFromProgID(u"VBScript.RegExp", &clsid)));
  void* made = nullptr;
  Check(SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &made)));
  ComPtr<IDispatch> regexp = ComPtr<IDispatch>::Adopt(static_cast<IDispatch*>(made));

  Put(regexp.Get(), u"Pattern", Text(pattern));
  Put(regexp.Get(), u"IgnoreCase", Boolean(ignoreCase));
  Put(regexp.Get(), u"Global", Boolean(global));
  Put(regexp.Get(), u"Multiline", Boolean(multiline));

  const ScopedVariant subjectValue = Text(subject);
  ScopedVariant collection;
  const HRESULT executed =
      Invoke(regexp.Get(), u"Execute", DISPATCH_METHOD, {&subjectValue.Get()}, collection);
  Check(SUCCEEDED(executed) || executed == REGEXP_E_SYNTAX || executed == REGEXP_E_TOO_COMPLEX);

  ScopedVariant tested;
  const HRESULT testedHr =
      Invoke(regexp.Get(), u"Test", DISPATCH_METHOD, {&subjectValue.Get()}, tested);
  ScopedVariant replaced;
  const ScopedVariant replacementValue = Text(replacement);
  const HRESULT replacedHr = Invoke(regexp.Get(), u"Replace", DISPATCH_METHOD,
                                    {&subjectValue.Get(), &replacementValue.Get()}, replaced);
  if (executed == REGEXP_E_SYNTAX) {
    Check(testedHr == REGEXP_E_SYNTAX && replacedHr == REGEXP_E_SYNTAX);
    return 0;
  }
  if (FAILED(executed)) return 0;
  CheckCollection(collection.Get().pdispVal, subject, global);
  if (SUCCEEDED(testedHr)) {
    const bool any = GetInt(collection.Get().pdispVal, u"Count") > 0;
    Check((tested.Get().boolVal != VARIANT_FALSE) == any);
  }
  if (SUCCEEDED(replacedHr)) {
    Check(replaced.Type() == VT_BSTR);
    // With nothing matched the subject comes back unchanged.
    if (GetInt(collection.Get().pdispVal, u"Count") == 0)
      Check(BstrView(replaced.Get().bstrVal) == subject);
  }
  return 0;
}
