#include <gtest/gtest.h>

#include <thread>

#include "platform/automation/com_runtime.h"
#include "platform/automation/dispatch_object.h"
#include "platform/regexp/regexp_object.h"

namespace vantrel::platform {
namespace {

HRESULT MakeByProgId(std::u16string_view progId, ComPtr<IDispatch>& object) {
  const std::u16string name(progId);
  CLSID clsid;
  if (const HRESULT hr = CLSIDFromProgID(name.c_str(), &clsid); FAILED(hr)) return hr;
  void* made = nullptr;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &made);
  object = ComPtr<IDispatch>::Adopt(static_cast<IDispatch*>(made));
  return hr;
}

TEST(ComRuntime, CountsInitialisationsPerThread) {
  ComPtr<IDispatch> object;
  EXPECT_EQ(MakeByProgId(u"VBScript.RegExp", object), CO_E_NOTINITIALIZED);
  EXPECT_FALSE(object);

  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);  // already initialised, but counted
  CoUninitialize();
  EXPECT_EQ(MakeByProgId(u"VBScript.RegExp", object), S_OK);  // one initialisation left
  object.Reset();

  // Another thread has its own count.
  HRESULT elsewhere = S_OK;
  std::thread([&] {
    ComPtr<IDispatch> other;
    elsewhere = MakeByProgId(u"VBScript.RegExp", other);
  }).join();
  EXPECT_EQ(elsewhere, CO_E_NOTINITIALIZED);

  CoUninitialize();
  EXPECT_EQ(MakeByProgId(u"VBScript.RegExp", object), CO_E_NOTINITIALIZED);
  CoUninitialize();  // one too many does no harm
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  CoUninitialize();
}

TEST(ComRuntime, KeepsTheApartmentModeUntilTheLastUninitialise) {
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
  CoUninitialize();
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  CoUninitialize();
  int reserved = 0;
  EXPECT_EQ(CoInitialize(&reserved), E_INVALIDARG);
}

TEST(ComRuntime, FindsClassesByProgIdIgnoringCase) {
  CoInitialize(nullptr);
  CLSID clsid;
  EXPECT_EQ(CLSIDFromProgID(u"vbscript.regexp", &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_RegExp);
  EXPECT_EQ(CLSIDFromProgID(u"VBSCRIPT.REGEXP", &clsid), S_OK);
  EXPECT_EQ(CLSIDFromProgID(u"VBScript.RegExp2", &clsid), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromProgID(u"scriptcontrol", &clsid), CO_E_CLASSSTRING);  // not installed

  void* made = nullptr;
  const CLSID unknown{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  EXPECT_EQ(CoCreateInstance(unknown, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &made),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(made, nullptr);
  const IID otherInterface{0x0000000C, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  EXPECT_EQ(CoCreateInstance(CLSID_RegExp, nullptr, CLSCTX_INPROC_SERVER, otherInterface, &made),
            E_NOINTERFACE);
  CoUninitialize();
}

class Empty final : public DispatchObject {
 protected:
  std::span<const Member> Members() const override { return {}; }
  HRESULT InvokeMember(DISPID, Action, const Arguments&, VARIANT&) override {
    return DISP_E_MEMBERNOTFOUND;
  }
};

TEST(ComRuntime, RegistersFurtherClasses) {
  CoInitialize(nullptr);
  const CLSID clsid{0xABCDEF01, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  static int made = 0;
  RegisterClassObject(u"Test.Empty", clsid, []() -> ComPtr<IUnknown> {
    ++made;
    return MakeObject<Empty>();
  });
  ComPtr<IDispatch> object;
  EXPECT_EQ(MakeByProgId(u"test.EMPTY", object), S_OK);
  EXPECT_TRUE(object);
  EXPECT_EQ(made, 1);

  RegisterClassObject(u"Test.Failing", CLSID{0xABCDEF02}, []() -> ComPtr<IUnknown> { return {}; });
  EXPECT_EQ(MakeByProgId(u"Test.Failing", object), E_OUTOFMEMORY);
  EXPECT_FALSE(object);
  CoUninitialize();
}

}  // namespace
}  // namespace vantrel::platform
