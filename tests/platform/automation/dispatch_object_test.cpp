#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/automation/bstr.h"
#include "platform/automation/dispatch_object.h"
#include "platform/automation/variant.h"

namespace vantrel::platform {
namespace {

// A small object with one member of each form.
class Tally final : public DispatchObject {
 public:
  enum : DISPID { kTotal = 1, kAdd, kName, kExplode, kExhaust };

 protected:
  std::span<const Member> Members() const override {
    static constexpr Member kMembers[] = {
        {u"Total", kTotal, MemberForm::Property},
        {u"Add", kAdd, MemberForm::Method},
        {u"Name", kName, MemberForm::ReadOnlyProperty},
        {u"Explode", kExplode, MemberForm::Method},
        {u"Exhaust", kExhaust, MemberForm::Method},
    };
    return kMembers;
  }
  HRESULT InvokeMember(DISPID id, Action action, const Arguments& arguments,
                       VARIANT& result) override {
    switch (id) {
      case kTotal:
        if (action == Action::Put) return arguments.ReadInt(arguments.Count() - 1, total_);
        SetInt(result, total_);
        return S_OK;
      case kAdd:
        for (UINT i = 0; i < arguments.Count(); ++i) {
          std::int32_t value = 0;
          if (const HRESULT hr = arguments.ReadInt(i, value); FAILED(hr)) return hr;
          total_ += value;
        }
        SetInt(result, total_);
        return S_OK;
      case kName:
        return SetText(result, u"tally");
      case kExplode:
        throw std::runtime_error("boom");
      default:
        throw std::bad_alloc();
    }
  }

 private:
  std::int32_t total_ = 0;
};

DISPID IdOf(IDispatch& object, const char16_t* name) {
  std::u16string copy(name);
  LPOLESTR names[] = {copy.data()};
  DISPID id = 12345;
  object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

// Invokes with arguments given in call order.
HRESULT Call(IDispatch& object, DISPID id, WORD flags, std::initializer_list<std::int32_t> values,
             VARIANT* result) {
  std::vector<VARIANT> reversed(values.size());
  std::size_t i = values.size();
  for (std::int32_t value : values) {
    --i;
    reversed[i].vt = VT_I4;
    reversed[i].lVal = value;
  }
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params;
  params.rgvarg = reversed.data();
  params.cArgs = static_cast<UINT>(reversed.size());
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  return object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

TEST(DispatchObject, LooksMembersUpIgnoringCase) {
  ComPtr<Tally> tally = MakeObject<Tally>();
  EXPECT_EQ(IdOf(*tally, u"Total"), Tally::kTotal);
  EXPECT_EQ(IdOf(*tally, u"tOTAL"), Tally::kTotal);
  EXPECT_EQ(IdOf(*tally, u"ADD"), Tally::kAdd);
  EXPECT_EQ(IdOf(*tally, u"Tota"), DISPID_UNKNOWN);
  EXPECT_EQ(IdOf(*tally, u"Totals"), DISPID_UNKNOWN);
  EXPECT_EQ(IdOf(*tally, u""), DISPID_UNKNOWN);

  std::u16string name = u"Nope";
  LPOLESTR names[] = {name.data()};
  DISPID id = 0;
  EXPECT_EQ(tally->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(tally->GetIDsOfNames(IID_IDispatch, names, 1, LOCALE_USER_DEFAULT, &id),
            DISP_E_UNKNOWNINTERFACE);
}

TEST(DispatchObject, CallsAMemberInTheFormItIsDeclaredIn) {
  ComPtr<Tally> tally = MakeObject<Tally>();
  VARIANT result;
  // A property put, then the property read with a method call.
  ASSERT_EQ(Call(*tally, Tally::kTotal, DISPATCH_PROPERTYPUT, {40}, nullptr), S_OK);
  ASSERT_EQ(Call(*tally, Tally::kTotal, DISPATCH_METHOD, {}, &result), S_OK);
  EXPECT_EQ(result.lVal, 40);
  // A method called through a property get still runs as the method.
  ASSERT_EQ(Call(*tally, Tally::kAdd, DISPATCH_PROPERTYGET, {1, 1}, &result), S_OK);
  EXPECT_EQ(result.lVal, 42);
  ASSERT_EQ(Call(*tally, Tally::kName, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, &result), S_OK);
  EXPECT_EQ(BstrView(result.bstrVal), u"tally");
  VariantClear(&result);

  // A put needs a writable property.
  EXPECT_EQ(Call(*tally, Tally::kName, DISPATCH_PROPERTYPUT, {1}, nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(*tally, Tally::kAdd, DISPATCH_PROPERTYPUT, {1}, nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(*tally, 999, DISPATCH_METHOD, {}, &result), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(*tally, Tally::kAdd, 0, {}, &result), E_INVALIDARG);
}

TEST(DispatchObject, NoExceptionLeavesInvoke) {
  ComPtr<Tally> tally = MakeObject<Tally>();
  VARIANT result;
  EXPECT_EQ(Call(*tally, Tally::kExplode, DISPATCH_METHOD, {}, &result), E_FAIL);
  EXPECT_EQ(result.vt, VT_EMPTY);
  EXPECT_EQ(Call(*tally, Tally::kExhaust, DISPATCH_METHOD, {}, &result), E_OUTOFMEMORY);
}

TEST(DispatchObject, CountsReferencesAndAnswersItsInterfaces) {
  ComPtr<Tally> tally = MakeObject<Tally>();
  void* asked = nullptr;
  ASSERT_EQ(tally->QueryInterface(IID_IUnknown, &asked), S_OK);
  EXPECT_EQ(tally->AddRef(), 3u);
  EXPECT_EQ(tally->Release(), 2u);
  static_cast<IUnknown*>(asked)->Release();
  const IID other{0x1, 2, 3, {}};
  EXPECT_EQ(tally->QueryInterface(other, &asked), E_NOINTERFACE);
  EXPECT_EQ(asked, nullptr);
  ComPtr<Tally> copy = tally;  // the copy holds a reference of its own
  EXPECT_EQ(copy->AddRef(), 3u);
  copy->Release();
}

}  // namespace
}  // namespace vantrel::platform
