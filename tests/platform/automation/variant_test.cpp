#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/automation/bstr.h"
#include "platform/automation/dispatch_object.h"
#include "platform/automation/scoped_variant.h"
#include "platform/automation/variant.h"
#include "tests/support/variant_values.h"

namespace vantrel::platform {
namespace {

using testing::Boolean;
using testing::Integer;
using testing::Number;
using testing::Text;


ScopedVariant Of(VARTYPE type) {
  ScopedVariant value;
  value.Receive()->vt = type;
  return value;
}

// The answer of a coercion written as text: "R8 12.5", "BSTR 'x'", "BOOL -1", "I4 3" or the
// failure's HRESULT in hex.
std::string Describe(HRESULT hr, const VARIANT& value) {
  char buffer[64];
  if (FAILED(hr)) {
    std::snprintf(buffer, sizeof buffer, "hr %08X", static_cast<unsigned>(hr));
    return buffer;
  }
  switch (value.vt) {
    case VT_R8: {
      std::snprintf(buffer, sizeof buffer, "R8 %.17g", value.dblVal);
      return buffer;
    }
    case VT_I4: return "I4 " + std::to_string(value.lVal);
    case VT_BOOL: return "BOOL " + std::to_string(value.boolVal);
    case VT_BSTR: {
      std::string ascii;
      for (char16_t c : BstrView(value.bstrVal)) ascii.push_back(static_cast<char>(c));
      return "BSTR '" + ascii + "'";
    }
    case VT_EMPTY: return "EMPTY";
    default: return "vt " + std::to_string(value.vt);
  }
}

struct Coercion {
  int line;
  ScopedVariant source;
  VARTYPE target;
  WORD flags;
  std::string expected;
};

TEST(VariantChangeType, CoercesBetweenNumberBooleanAndText) {
  const Coercion cases[] = {
      {__LINE__, Of(VT_EMPTY), VT_R8, 0, "R8 0"},
      {__LINE__, Of(VT_EMPTY), VT_BSTR, 0, "BSTR ''"},
      {__LINE__, Of(VT_EMPTY), VT_BOOL, 0, "BOOL 0"},
      {__LINE__, Of(VT_NULL), VT_BSTR, 0, "hr 80020005"},
      {__LINE__, Of(VT_NULL), VT_R8, 0, "hr 80020005"},
      {__LINE__, Integer(-42), VT_R8, 0, "R8 -42"},
      {__LINE__, Integer(-42), VT_BSTR, 0, "BSTR '-42'"},
      {__LINE__, Integer(7), VT_BOOL, 0, "BOOL -1"},
      {__LINE__, Integer(0), VT_BOOL, 0, "BOOL 0"},
      {__LINE__, Number(12.5), VT_BSTR, 0, "BSTR '12.5'"},
      {__LINE__, Number(0.1 + 0.2), VT_BSTR, 0, "BSTR '0.30000000000000004'"},
      {__LINE__, Number(134.09523809523807), VT_BSTR, 0, "BSTR '134.09523809523807'"},
      {__LINE__, Number(100), VT_BSTR, 0, "BSTR '100'"},
      {__LINE__, Number(-0.0), VT_BSTR, 0, "BSTR '0'"},
      {__LINE__, Number(0.000001), VT_BSTR, 0, "BSTR '0.000001'"},
      {__LINE__, Number(1.5e-7), VT_BSTR, 0, "BSTR '1.5E-07'"},
      {__LINE__, Number(1e21), VT_BSTR, 0, "BSTR '1E+21'"},
      {__LINE__, Number(123456789012345680000.0), VT_BSTR, 0, "BSTR '123456789012345680000'"},
      {__LINE__, Number(2.5), VT_I4, 0, "I4 2"},  // half to even
      {__LINE__, Number(3.5), VT_I4, 0, "I4 4"},
      {__LINE__, Number(-2.5), VT_I4, 0, "I4 -2"},
      {__LINE__, Number(2147483647.4), VT_I4, 0, "I4 2147483647"},
      {__LINE__, Number(2147483648.0), VT_I4, 0, "hr 8002000A"},
      {__LINE__, Number(NAN), VT_I4, 0, "hr 8002000A"},
      {__LINE__, Number(-0.5), VT_BOOL, 0, "BOOL -1"},
      {__LINE__, Boolean(true), VT_R8, 0, "R8 -1"},
      {__LINE__, Boolean(true), VT_I4, 0, "I4 -1"},
      {__LINE__, Boolean(true), VT_BSTR, 0, "BSTR '-1'"},
      {__LINE__, Boolean(false), VT_BSTR, 0, "BSTR '0'"},
      {__LINE__, Boolean(true), VT_BSTR, VARIANT_ALPHABOOL, "BSTR 'True'"},
      {__LINE__, Boolean(false), VT_BSTR, VARIANT_ALPHABOOL, "BSTR 'False'"},
      {__LINE__, Text(u"12.5"), VT_R8, 0, "R8 12.5"},
      {__LINE__, Text(u"  -1.25e2 "), VT_R8, 0, "R8 -125"},
      {__LINE__, Text(u".5"), VT_R8, 0, "R8 0.5"},
      {__LINE__, Text(u"5."), VT_R8, 0, "R8 5"},
      {__LINE__, Text(u"12,5"), VT_R8, 0, "hr 80020005"},  // "." is the decimal point
      {__LINE__, Text(u""), VT_R8, 0, "hr 80020005"},
      {__LINE__, Text(u"abc"), VT_R8, 0, "hr 80020005"},
      {__LINE__, Text(u"1e"), VT_R8, 0, "hr 80020005"},
      {__LINE__, Text(u"1e999"), VT_R8, 0, "hr 8002000A"},
      {__LINE__, Text(u"1e-999"), VT_R8, 0, "R8 0"},
      {__LINE__, Text(u"2.5"), VT_I4, 0, "I4 2"},
      {__LINE__, Text(u"99999999999"), VT_I4, 0, "hr 8002000A"},
      {__LINE__, Text(u"true"), VT_BOOL, 0, "BOOL -1"},
      {__LINE__, Text(u" FALSE "), VT_BOOL, 0, "BOOL 0"},
      {__LINE__, Text(u"0"), VT_BOOL, 0, "BOOL 0"},
      {__LINE__, Text(u"2"), VT_BOOL, 0, "BOOL -1"},
      {__LINE__, Text(u"yes"), VT_BOOL, 0, "hr 80020005"},
      {__LINE__, Text(u"x"), VT_DISPATCH, 0, "hr 80020005"},
      {__LINE__, Integer(1), VT_DISPATCH, 0, "hr 80020005"},
  };
  for (const Coercion& c : cases) {
    VARIANT out;
    const HRESULT hr = VariantChangeType(&out, &c.source.Get(), c.flags, c.target);
    EXPECT_EQ(Describe(hr, out), c.expected) << "case at line " << c.line;
    VariantClear(&out);
  }
}

TEST(VariantChangeType, FailureLeavesTargetUntouched) {
  const ScopedVariant source = Text(u"nope");
  VARIANT kept;
  kept.vt = VT_I4;
  kept.lVal = 5;
  EXPECT_EQ(VariantChangeType(&kept, &source.Get(), 0, VT_R8), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Describe(S_OK, kept), "I4 5");
}

TEST(VariantChangeType, ConvertsInPlaceAndFollowsReferences) {
  VARIANT raw;
  raw.vt = VT_BSTR;
  raw.bstrVal = SysAllocString(u"41.5");
  ASSERT_EQ(VariantChangeType(&raw, &raw, 0, VT_R8), S_OK);  // frees the old BSTR
  EXPECT_EQ(Describe(S_OK, raw), "R8 41.5");

  double number = 7.25;
  VARIANT reference;
  reference.vt = VT_R8 | VT_BYREF;
  reference.pdblVal = &number;
  VARIANT out;
  ASSERT_EQ(VariantChangeType(&out, &reference, 0, VT_BSTR), S_OK);
  EXPECT_EQ(Describe(S_OK, out), "BSTR '7.25'");
  VariantClear(&out);
}

// An object whose default property answers a fixed text, and counts its references.
class Valued final : public DispatchObject {
 public:
  ULONG References() {
    AddRef();
    return Release();
  }

 protected:
  std::span<const Member> Members() const override {
    static constexpr Member kMembers[] = {{u"Value", DISPID_VALUE, MemberForm::ReadOnlyProperty}};
    return kMembers;
  }
  HRESULT InvokeMember(DISPID, Action, const Arguments&, VARIANT& result) override {
    return SetText(result, u"2.5");
  }
};

TEST(VariantChangeType, ReadsAnObjectThroughItsDefaultProperty) {
  ComPtr<Valued> object = MakeObject<Valued>();
  VARIANT holder;
  holder.vt = VT_DISPATCH;
  holder.pdispVal = object.Get();
  VARIANT out;
  ASSERT_EQ(VariantChangeType(&out, &holder, 0, VT_R8), S_OK);
  EXPECT_EQ(Describe(S_OK, out), "R8 2.5");
  EXPECT_EQ(VariantChangeType(&out, &holder, VARIANT_NOVALUEPROP, VT_R8), DISP_E_TYPEMISMATCH);

  ASSERT_EQ(VariantChangeType(&out, &holder, 0, VT_DISPATCH), S_OK);
  EXPECT_EQ(out.pdispVal, object.Get());
  EXPECT_EQ(object->References(), 2u);  // the copy holds its own reference
  VariantClear(&out);
  EXPECT_EQ(object->References(), 1u);
}

TEST(VariantCopy, CopiesOwnedValuesAndDereferencesOnRequest) {
  const ScopedVariant text = Text(u"hello");
  VARIANT copy;
  ASSERT_EQ(VariantCopy(&copy, &text.Get()), S_OK);
  EXPECT_NE(copy.bstrVal, text.Get().bstrVal);  // a new string, not a shared one
  EXPECT_EQ(BstrView(copy.bstrVal), u"hello");

  VARIANT reference;
  reference.vt = VT_VARIANT | VT_BYREF;
  reference.pvarVal = const_cast<VARIANT*>(&text.Get());
  VARIANT shallow;
  ASSERT_EQ(VariantCopy(&shallow, &reference), S_OK);
  EXPECT_EQ(shallow.vt, VT_VARIANT | VT_BYREF);
  ASSERT_EQ(VariantCopyInd(&copy, &reference), S_OK);  // clears the old copy first
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_EQ(BstrView(copy.bstrVal), u"hello");
  VariantClear(&copy);
  VariantClear(&shallow);

  VARIANT bad;
  bad.vt = 0x77;
  EXPECT_EQ(VariantCopy(&copy, &bad), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
}

TEST(Bstr, CarriesItsLengthAndEmbeddedZeros) {
  const char16_t text[] = {u'a', u'\0', u'b'};
  BSTR value = SysAllocStringLen(text, 3);
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(SysStringLen(value), 3u);
  EXPECT_EQ(SysStringByteLen(value), 6u);
  EXPECT_EQ(value[3], u'\0');
  EXPECT_EQ(BstrView(value), std::u16string_view(text, 3));
  SysFreeString(value);

  BSTR unfilled = SysAllocStringLen(nullptr, 2);
  EXPECT_EQ(SysStringLen(unfilled), 2u);
  EXPECT_EQ(unfilled[2], u'\0');
  SysFreeString(unfilled);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  BSTR copied = SysAllocString(u"abc");
  EXPECT_EQ(SysStringLen(copied), 3u);
  SysFreeString(copied);
  EXPECT_EQ(SysAllocStringLen(u"", 0x7FFFFFFF), nullptr);  // beyond the 32-bit byte count
}

}  // namespace
}  // namespace vantrel::platform
