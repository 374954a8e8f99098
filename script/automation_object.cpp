#include "script/automation_object.h"

#include <array>
#include <new>
#include <type_traits>
#include <span>
#include <vector>

#include "platform/automation/bstr.h"
#include "platform/automation/com_runtime.h"
#include "platform/automation/variant.h"
#include "script/ansi_text.h"

namespace vantrel::script {

using namespace platform;

namespace {

// The UTF-16 form of a name that MemberName could not prepare (long or not ASCII).
class WideName {
 public:
  explicit WideName(const MemberName& name) {
    text_ = name.Wide();
    if (text_ == nullptr) {
      heap_ = AnsiToWide(name.Ansi());
      text_ = heap_.c_str();
    }
  }
  LPOLESTR Get() { return const_cast<LPOLESTR>(text_); }

 private:
  std::u16string heap_;
  const char16_t* text_ = nullptr;
};

// The converted arguments of one call, in DISPPARAMS order (last argument first).
class ArgumentList {
 public:
  ArgumentList(std::span<const Argument> arguments) : count_(arguments.size()) {
    if (count_ > kInline) heap_.resize(count_);
    VARIANT* slots = Slots();
    for (std::size_t i = 0; i < count_; ++i) {
      VARIANT& slot = *new (&slots[count_ - 1 - i]) VARIANT;
      if (count_ - 1 - i < 32 && arguments[i].Borrow(slot)) {
        borrowed_ |= 1u << (count_ - 1 - i);
      } else if (FAILED(arguments[i].ToVariant(slot))) {
        failed_ = true;
      }
    }
  }
  ~ArgumentList() {
    VARIANT* slots = Slots();
    for (std::size_t i = 0; i < count_; ++i)
      if (!(i < 32 && (borrowed_ & (1u << i))) && VariantOwnsData(slots[i]))
        VariantClear(&slots[i]);
  }
  ArgumentList(const ArgumentList&) = delete;
  ArgumentList& operator=(const ArgumentList&) = delete;

  bool Failed() const { return failed_; }
  VARIANT* Slots() {
    return count_ > kInline ? heap_.data() : std::launder(reinterpret_cast<VARIANT*>(inline_));
  }
  UINT Count() const { return static_cast<UINT>(count_); }

 private:
  static constexpr std::size_t kInline = 4;
  std::size_t count_;
  // Only the slots in use are constructed: most calls pass one argument or none.
  alignas(VARIANT) unsigned char inline_[kInline * sizeof(VARIANT)];
  std::vector<VARIANT> heap_;
  std::uint32_t borrowed_ = 0;  // slots that alias the caller's string
  bool failed_ = false;
};

HRESULT InvokeByName(const AutomationObject& object, const MemberName& member, WORD flags,
                     std::span<const Argument> arguments, VARIANT& result) {
  IDispatch* dispatch = object.Interface();
  if (dispatch == nullptr) return E_POINTER;
  WideName name(member);
  LPOLESTR names[] = {name.Get()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;

  ArgumentList list(arguments);
  if (list.Failed()) return DISP_E_TYPEMISMATCH;
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params;
  params.rgvarg = list.Slots();
  params.cArgs = list.Count();
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, nullptr,
                          nullptr);
}

template <typename Result>
Result Coerce(VARIANT& value) {
  if constexpr (std::is_void_v<Result>) {
    return;
  } else if constexpr (std::is_same_v<Result, double>) {
    if (value.vt == VT_R8) return value.dblVal;
    if (value.vt == VT_I4) return value.lVal;
    VARIANT number;
    return SUCCEEDED(VariantChangeType(&number, &value, 0, VT_R8)) ? number.dblVal : 0.0;
  } else if constexpr (std::is_same_v<Result, std::string>) {
    return VariantToText(value);
  } else if constexpr (std::is_same_v<Result, AutomationObject>) {
    if (value.vt == VT_DISPATCH) {  // the result's reference becomes the object's
      AutomationObject taken(ComPtr<IDispatch>::Adopt(value.pdispVal));
      VariantInit(&value);
      return taken;
    }
    VARIANT object;
    if (FAILED(VariantChangeType(&object, &value, 0, VT_DISPATCH))) return AutomationObject();
    return AutomationObject(ComPtr<IDispatch>::Adopt(object.pdispVal));
  } else {
    static_assert(std::is_same_v<Result, ScopedVariant>);
    ScopedVariant kept;
    *kept.Receive() = value;
    VariantInit(&value);
    return kept;
  }
}

// The one place where a call is made and its failure turned into an empty result.
template <typename Result>
Result Call(const AutomationObject& object, const MemberName& member, WORD flags,
            std::span<const Argument> arguments) noexcept {
  try {
    VARIANT result;
    const HRESULT hr = InvokeByName(object, member, flags, arguments, result);
    if (FAILED(hr)) {  // whatever a failed call left behind is not its answer
      VariantClear(&result);
      VariantInit(&result);
    }
    if constexpr (std::is_void_v<Result>) {
      VariantClear(&result);
    } else {
      Result value = Coerce<Result>(result);
      if (VariantOwnsData(result)) VariantClear(&result);
      return value;
    }
  } catch (...) {
    if constexpr (!std::is_void_v<Result>) return Result();
  }
}

}  // namespace

bool Argument::Borrow(VARIANT& out) const {
  const VARIANT* const* value = std::get_if<const VARIANT*>(&value_);
  if (value == nullptr) return false;
  const VARIANT& given = **value;
  if (given.vt == VT_BSTR) {
    out = given;
    return true;
  }
  if (given.vt == (VT_BSTR | VT_BYREF) && given.pbstrVal != nullptr) {
    out.vt = VT_BSTR;
    out.bstrVal = *given.pbstrVal;
    return true;
  }
  return false;
}

HRESULT Argument::ToVariant(VARIANT& out) const {
  return std::visit(
      [&](const auto& value) -> HRESULT {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::string_view>) {
          BSTR text = AnsiToBstr(value);
          if (text == nullptr) return E_OUTOFMEMORY;
          out.vt = VT_BSTR;
          out.bstrVal = text;
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
          out.vt = VT_I4;
          out.lVal = value;
        } else if constexpr (std::is_same_v<T, bool>) {
          out.vt = VT_BOOL;
          out.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        } else if constexpr (std::is_same_v<T, double>) {
          out.vt = VT_R8;
          out.dblVal = value;
        } else if constexpr (std::is_same_v<T, const VARIANT*>) {
          return VariantCopyInd(&out, value);
        } else {
          IDispatch* dispatch = value->Interface();
          if (dispatch != nullptr) dispatch->AddRef();
          out.vt = VT_DISPATCH;
          out.pdispVal = dispatch;
        }
        return S_OK;
      },
      value_);
}

bool Create(AutomationObject& object, std::string_view progId) {
  try {
    const MemberName className(progId);
    WideName name(className);
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(name.Get(), &clsid))) return false;
    void* made = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &made)) ||
        made == nullptr)
      return false;
    object = AutomationObject(ComPtr<IDispatch>::Adopt(static_cast<IDispatch*>(made)));
    return true;
  } catch (...) {
    return false;
  }
}

bool SetProperty(const AutomationObject& object, const MemberName& member, const Argument& value) {
  try {
    VARIANT result;
    const HRESULT hr =
        InvokeByName(object, member, DISPATCH_PROPERTYPUT, std::span(&value, 1), result);
    VariantClear(&result);
    return SUCCEEDED(hr);
  } catch (...) {
    return false;
  }
}

template <typename Result>
Result GetProperty(const AutomationObject& object, const MemberName& member,
                   std::optional<Argument> index) {
  std::span<const Argument> arguments;
  if (index) arguments = std::span(&*index, 1);
  return Call<Result>(object, member, DISPATCH_PROPERTYGET, arguments);
}

template <typename Result>
Result CallMethod(const AutomationObject& object, const MemberName& member,
                  std::initializer_list<Argument> arguments) {
  return Call<Result>(object, member, DISPATCH_METHOD,
                      std::span(arguments.begin(), arguments.size()));
}

bool IsEmpty(const AutomationObject& object) { return object.Interface() == nullptr; }

void Clear(AutomationObject& object) { object.Reset(); }

std::string VariantToText(const VARIANT& value) {
  try {
    if (value.vt == VT_BSTR) return WideToAnsi(BstrView(value.bstrVal));
    if (value.vt == (VT_BSTR | VT_BYREF) && value.pbstrVal != nullptr)
      return WideToAnsi(BstrView(*value.pbstrVal));
    VARIANT text;
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR))) return {};
    std::string ansi = WideToAnsi(BstrView(text.bstrVal));
    VariantClear(&text);
    return ansi;
  } catch (...) {
    return {};
  }
}

template void GetProperty<void>(const AutomationObject&, const MemberName&, std::optional<Argument>);
template double GetProperty<double>(const AutomationObject&, const MemberName&, std::optional<Argument>);
template std::string GetProperty<std::string>(const AutomationObject&, const MemberName&, std::optional<Argument>);
template AutomationObject GetProperty<AutomationObject>(const AutomationObject&, const MemberName&, std::optional<Argument>);
template ScopedVariant GetProperty<ScopedVariant>(const AutomationObject&, const MemberName&, std::optional<Argument>);
template void CallMethod<void>(const AutomationObject&, const MemberName&, std::initializer_list<Argument>);
template double CallMethod<double>(const AutomationObject&, const MemberName&, std::initializer_list<Argument>);
template std::string CallMethod<std::string>(const AutomationObject&, const MemberName&, std::initializer_list<Argument>);
template AutomationObject CallMethod<AutomationObject>(const AutomationObject&, const MemberName&, std::initializer_list<Argument>);
template ScopedVariant CallMethod<ScopedVariant>(const AutomationObject&, const MemberName&, std::initializer_list<Argument>);

}  // namespace vantrel::script
