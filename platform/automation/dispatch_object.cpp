#include "platform/automation/dispatch_object.h"

#include <cmath>
#include <cstring>
#include <new>

#include "platform/automation/bstr.h"
#include "platform/automation/variant.h"

namespace vantrel::platform {
namespace {

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// asked is zero-terminated; declared holds no zero, so the terminator ends a mismatch too.
template <bool kFold>
bool NameMatches(std::u16string_view declared, const OLECHAR* asked) {
  for (std::size_t i = 0; i < declared.size(); ++i) {
    if (kFold ? FoldAscii(asked[i]) != FoldAscii(declared[i]) : asked[i] != declared[i])
      return false;
  }
  return asked[declared.size()] == u'\0';
}

HRESULT Coerce(const VARIANT& source, VARTYPE type, VARIANT& out) {
  return VariantChangeType(&out, &source, 0, type);
}

// IID_NULL is sixteen zero bytes; two loads instead of a field-by-field comparison.
bool IsNullIid(REFIID iid) {
  static_assert(sizeof(IID) == 16);
  std::uint64_t halves[2];
  std::memcpy(halves, &iid, sizeof halves);
  return (halves[0] | halves[1]) == 0;
}

}  // namespace

HRESULT Arguments::ReadInt(UINT index, std::int32_t& value) const {
  const VARIANT& argument = (*this)[index];
  if (argument.vt == VT_I4) return value = argument.lVal, S_OK;
  if (argument.vt == VT_R8) {  // indices mostly come as whole doubles
    const double number = argument.dblVal;
    if (number >= -2147483648.0 && number <= 2147483647.0 &&
        static_cast<double>(static_cast<std::int32_t>(number)) == number) {
      value = static_cast<std::int32_t>(number);
      return S_OK;
    }
    const double rounded = std::nearbyint(number);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return DISP_E_OVERFLOW;
    value = static_cast<std::int32_t>(rounded);
    return S_OK;
  }
  VARIANT converted;
  const HRESULT hr = Coerce(argument, VT_I4, converted);
  if (SUCCEEDED(hr)) value = converted.lVal;
  return hr;
}

HRESULT Arguments::ReadBool(UINT index, bool& value) const {
  const VARIANT& argument = (*this)[index];
  if (argument.vt == VT_BOOL) return value = argument.boolVal != VARIANT_FALSE, S_OK;
  VARIANT converted;
  const HRESULT hr = Coerce(argument, VT_BOOL, converted);
  if (SUCCEEDED(hr)) value = converted.boolVal != VARIANT_FALSE;
  return hr;
}

HRESULT Arguments::ReadText(UINT index, VARIANT& holder, std::u16string_view& text) const {
  const VARIANT& argument = (*this)[index];
  if (argument.vt == VT_BSTR) return text = BstrView(argument.bstrVal), S_OK;
  if (argument.vt == (VT_BSTR | VT_BYREF) && argument.pbstrVal != nullptr)
    return text = BstrView(*argument.pbstrVal), S_OK;
  const HRESULT hr = Coerce(argument, VT_BSTR, holder);
  if (SUCCEEDED(hr)) text = BstrView(holder.bstrVal);
  return hr;
}

void SetBool(VARIANT& result, bool value) {
  result.vt = VT_BOOL;
  result.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetInt(VARIANT& result, std::int32_t value) {
  result.vt = VT_I4;
  result.lVal = value;
}

HRESULT SetText(VARIANT& result, std::u16string_view text) {
  BSTR value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (value == nullptr) return E_OUTOFMEMORY;
  result.vt = VT_BSTR;
  result.bstrVal = value;
  return S_OK;
}

void SetObject(VARIANT& result, ComPtr<IDispatch> object) {
  result.vt = VT_DISPATCH;
  result.pdispVal = object.Detach();
}

HRESULT DispatchObject::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DispatchObject::AddRef() {
  DispatchObject& counted = owner_ != nullptr ? *owner_ : *this;
  return ++counted.references_;
}

ULONG DispatchObject::Release() {
  DispatchObject& counted = owner_ != nullptr ? *owner_ : *this;
  const ULONG left = --counted.references_;
  if (left == 0) delete &counted;
  return left;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID iid, const LPOLESTR* names, UINT count, LCID,
                                      DISPID* ids) {
  if (!IsNullIid(iid)) return DISP_E_UNKNOWNINTERFACE;
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  // Names after the first would be parameter names; none of the members has named parameters.
  for (UINT k = 1; k < count; ++k) ids[k] = DISPID_UNKNOWN;
  ids[0] = DISPID_UNKNOWN;
  if (names[0] == nullptr) return DISP_E_UNKNOWNNAME;
  // Callers mostly spell a name as declared, so an exact pass comes first.
  const std::span<const Member> members = Members();
  const OLECHAR* asked = names[0];
  for (const Member& member : members) {
    if (member.name[0] == asked[0] && NameMatches<false>(member.name, asked)) {
      ids[0] = member.id;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  for (const Member& member : members) {
    if (NameMatches<true>(member.name, asked)) {
      ids[0] = member.id;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO*, UINT* argumentError) {
  if (!IsNullIid(iid)) return DISP_E_UNKNOWNINTERFACE;
  if (params == nullptr || (params->cArgs > 0 && params->rgvarg == nullptr)) return E_INVALIDARG;
  if (argumentError != nullptr) *argumentError = 0;

  const Member* member = nullptr;
  for (const Member& candidate : Members()) {
    if (candidate.id == id) {
      member = &candidate;
      break;
    }
  }
  if (member == nullptr) return DISP_E_MEMBERNOTFOUND;

  Action action;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (member->form != MemberForm::Property) return DISP_E_MEMBERNOTFOUND;
    if (params->cArgs == 0) return DISP_E_BADPARAMCOUNT;
    if (params->cNamedArgs > 1 ||
        (params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
      return DISP_E_NONAMEDARGS;
    action = Action::Put;
  } else if (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) {
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    action = member->form == MemberForm::Method ? Action::Call : Action::Get;
  } else {
    return E_INVALIDARG;
  }

  VARIANT discarded;
  VARIANT& out = result != nullptr ? *result : discarded;
  if (result != nullptr && result->vt != VT_EMPTY) VariantClear(result);  // caller's leftovers
  HRESULT hr;
  try {
    hr = InvokeMember(id, action, Arguments(*params), out);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  } catch (...) {
    hr = E_FAIL;
  }
  if ((FAILED(hr) || result == nullptr) && out.vt != VT_EMPTY) VariantClear(&out);
  return hr;
}

}  // namespace vantrel::platform
