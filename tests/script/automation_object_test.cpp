#include <gtest/gtest.h>

#include <string>

#include "platform/automation/bstr.h"
#include "platform/automation/com_runtime.h"
#include "platform/automation/dispatch_object.h"
#include "platform/automation/variant.h"
#include "script/automation_object.h"

namespace vantrel::script {
namespace {

using namespace platform;

// Answers what it was given, so the tests can see how arguments arrive.
class Probe final : public DispatchObject {
 public:
  enum : DISPID { kEcho = 1, kTypeOf, kArgumentCount, kLabel, kFail, kSelf };

 protected:
  std::span<const Member> Members() const override {
    static constexpr Member kMembers[] = {
        {u"Echo", kEcho, MemberForm::Method},
        {u"TypeOf", kTypeOf, MemberForm::Method},
        {u"ArgumentCount", kArgumentCount, MemberForm::Method},
        {u"Label", kLabel, MemberForm::Property},
        {u"Fail", kFail, MemberForm::Method},
        {u"Self", kSelf, MemberForm::ReadOnlyProperty},
    };
    return kMembers;
  }
  HRESULT InvokeMember(DISPID id, Action action, const Arguments& arguments,
                       VARIANT& result) override {
    switch (id) {
      case kEcho:
        return VariantCopy(&result, &arguments[0]);
      case kTypeOf:
        SetInt(result, arguments[0].vt);
        return S_OK;
      case kArgumentCount:
        SetInt(result, static_cast<std::int32_t>(arguments.Count()));
        return S_OK;
      case kLabel:
        if (action == Action::Put) {
          VARIANT holder;
          std::u16string_view text;
          const HRESULT hr = arguments.ReadText(0, holder, text);
          label_ = text;
          VariantClear(&holder);
          return hr;
        }
        return SetText(result, label_);
      case kSelf:
        SetObject(result, ComPtr<IDispatch>::Share(this));
        return S_OK;
      default:
        return E_FAIL;
    }
  }

 private:
  std::u16string label_;
};

class AutomationObjectTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterClassObject(u"Vantrel.Probe", CLSID{0x7E57ABCD, 1, 1, {1}},
                        []() -> ComPtr<IUnknown> { return MakeObject<Probe>(); });
  }
  void SetUp() override {
    CoInitialize(nullptr);
    ASSERT_TRUE(Create(probe_, "vantrel.PROBE"));
  }
  void TearDown() override {
    Clear(probe_);
    CoUninitialize();
  }
  AutomationObject probe_;
};

TEST_F(AutomationObjectTest, ConvertsArgumentsToAutomationValues) {
  BSTR referenced = SysAllocString(u"by reference");
  VARIANT reference;
  reference.vt = VT_BSTR | VT_BYREF;
  reference.pbstrVal = &referenced;

  struct Case {
    int line;
    Argument argument;
    VARTYPE type;
    std::string text;
  };
  const Case cases[] = {
      {__LINE__, Argument("中文 text"), VT_BSTR, "中文 text"},
      {__LINE__, Argument(static_cast<const char*>(nullptr)), VT_BSTR, ""},
      {__LINE__, Argument(std::int32_t{-7}), VT_I4, "-7"},
      {__LINE__, Argument(true), VT_BOOL, "-1"},
      {__LINE__, Argument(false), VT_BOOL, "0"},
      {__LINE__, Argument(2.5), VT_R8, "2.5"},
      {__LINE__, Argument(reference), VT_BSTR, "by reference"},  // the reference is followed
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CallMethod<double>(probe_, "TypeOf", {c.argument}), c.type) << "line " << c.line;
    EXPECT_EQ(CallMethod<std::string>(probe_, "Echo", {c.argument}), c.text) << "line " << c.line;
  }
  EXPECT_EQ(CallMethod<double>(probe_, "TypeOf", {probe_}), VT_DISPATCH);
  EXPECT_EQ(CallMethod<double>(probe_, "ArgumentCount", {1, "two", 3.0, true, 5}), 5);
  SysFreeString(referenced);
}

TEST_F(AutomationObjectTest, CoercesResultsToTheKindAskedFor) {
  EXPECT_EQ(CallMethod<double>(probe_, "Echo", {"12.5"}), 12.5);
  EXPECT_EQ(CallMethod<double>(probe_, "Echo", {true}), -1);
  EXPECT_EQ(CallMethod<double>(probe_, "Echo", {"not a number"}), 0);
  EXPECT_EQ(CallMethod<std::string>(probe_, "Echo", {0.1}), "0.1");
  EXPECT_EQ(CallMethod<std::string>(probe_, "Echo", {std::int32_t{42}}), "42");
  EXPECT_TRUE(IsEmpty(CallMethod<AutomationObject>(probe_, "Echo", {"text"})));
  EXPECT_FALSE(IsEmpty(CallMethod<AutomationObject>(probe_, "Echo", {probe_})));
  const ScopedVariant value = CallMethod<ScopedVariant>(probe_, "Echo", {2.5});
  EXPECT_EQ(value.Type(), VT_R8);  // a value comes back as it came
  EXPECT_EQ(VariantToText(value.Get()), "2.5");

  // A property read with a method call, and the other way round.
  EXPECT_TRUE(SetProperty(probe_, "Label", "标签"));
  EXPECT_EQ(CallMethod<std::string>(probe_, "label"), "标签");
  EXPECT_EQ(GetProperty<double>(probe_, "ArgumentCount", Argument(1)), 1);
  const AutomationObject self = GetProperty<AutomationObject>(probe_, "Self");
  EXPECT_EQ(self.Interface(), probe_.Interface());
}

TEST_F(AutomationObjectTest, AFailedCallGivesTheEmptyValueOfItsKind) {
  AutomationObject empty;
  for (const AutomationObject* object : {&probe_, &empty}) {
    const char* member = object == &probe_ ? "Fail" : "Echo";
    EXPECT_EQ(CallMethod<double>(*object, member, {1}), 0);
    EXPECT_EQ(CallMethod<std::string>(*object, member, {1}), "");
    EXPECT_TRUE(IsEmpty(CallMethod<AutomationObject>(*object, member, {1})));
    EXPECT_EQ(CallMethod<ScopedVariant>(*object, member, {1}).Type(), VT_EMPTY);
    CallMethod<void>(*object, member, {1});
  }
  EXPECT_EQ(GetProperty<std::string>(probe_, "NoSuchMember"), "");
  EXPECT_EQ(GetProperty<double>(probe_, "NoSuchMember"), 0);
  EXPECT_FALSE(SetProperty(probe_, "NoSuchMember", 1));
  EXPECT_FALSE(SetProperty(probe_, "Self", 1));  // read-only
  EXPECT_FALSE(SetProperty(empty, "Label", "x"));
  EXPECT_EQ(GetProperty<std::string>(empty, "Label"), "");
}

TEST_F(AutomationObjectTest, CreateLeavesTheReferenceAloneWhenItFails) {
  AutomationObject object;
  EXPECT_FALSE(Create(object, "No.Such.Class"));
  EXPECT_TRUE(IsEmpty(object));
  ASSERT_TRUE(Create(object, "Vantrel.Probe"));
  IDispatch* before = object.Interface();
  EXPECT_FALSE(Create(object, "No.Such.Class"));
  EXPECT_EQ(object.Interface(), before);
  EXPECT_FALSE(Create(object, ""));
  EXPECT_EQ(object.Interface(), before);

  AutomationObject copy = object;  // a copy holds its own reference
  Clear(object);
  EXPECT_TRUE(IsEmpty(object));
  EXPECT_TRUE(SetProperty(copy, "Label", "still alive"));
  EXPECT_EQ(GetProperty<std::string>(copy, "Label"), "still alive");
}

TEST_F(AutomationObjectTest, NothingIsMadeWithoutComInitialised) {
  CoUninitialize();
  AutomationObject object;
  EXPECT_FALSE(Create(object, "Vantrel.Probe"));
  EXPECT_FALSE(Create(object, "VBScript.RegExp"));
  EXPECT_TRUE(IsEmpty(object));
  // Objects made before keep working.
  EXPECT_EQ(CallMethod<std::string>(probe_, "Echo", {"ok"}), "ok");
  CoInitialize(nullptr);
}

// A foreign object that leaves a value behind while it reports failure.
class Liar final : public IDispatch {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    *object = (iid == IID_IDispatch || iid == IID_IUnknown) ? this : nullptr;
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    if (--references_ == 0) {
      delete this;
      return 0;
    }
    return references_;
  }
  HRESULT GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, const LPOLESTR*, UINT, LCID, DISPID* ids) override {
    return ids[0] = 1, S_OK;
  }
  HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                 UINT*) override {
    result->vt = VT_R8;
    result->dblVal = 42;
    return E_FAIL;
  }

 private:
  ULONG references_ = 1;
};

TEST(AutomationCalls, IgnoreWhatAFailedCallLeftInItsResult) {
  CoInitialize(nullptr);
  AutomationObject liar(ComPtr<IDispatch>::Adopt(new Liar));
  EXPECT_EQ(CallMethod<double>(liar, "Anything"), 0);
  EXPECT_EQ(GetProperty<std::string>(liar, "Anything"), "");
  EXPECT_EQ(CallMethod<ScopedVariant>(liar, "Anything").Type(), VT_EMPTY);
  CoUninitialize();
}

TEST(VariantToText, GivesTheTextFormOrNothing) {
  VARIANT value;
  EXPECT_EQ(VariantToText(value), "");
  value.vt = VT_NULL;
  EXPECT_EQ(VariantToText(value), "");
  value.vt = VT_BOOL;
  value.boolVal = VARIANT_TRUE;
  EXPECT_EQ(VariantToText(value), "-1");
  value.vt = VT_R8;
  value.dblVal = 134.09523809523807;
  EXPECT_EQ(VariantToText(value), "134.09523809523807");
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocString(u"\u00E9\U0001F600");
  EXPECT_EQ(VariantToText(value), "é😀");
  VariantClear(&value);
  value.vt = VT_BSTR;
  value.bstrVal = nullptr;  // a null BSTR is the empty string
  EXPECT_EQ(VariantToText(value), "");
  value.vt = 0x99;
  EXPECT_EQ(VariantToText(value), "");
}

}  // namespace
}  // namespace vantrel::script
