#include "platform/automation/variant.h"

#include <cmath>
#include <limits>
#include <string>

#include "platform/automation/bstr.h"
#include "platform/automation/number_text.h"

namespace vantrel::platform {
namespace {

bool IsKnownType(VARTYPE type) {
  switch (type) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8:
    case VT_BSTR: case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_VARIANT:
    case VT_UNKNOWN: case VT_UI1:
      return true;
    default:
      return false;
  }
}

// Copies a value that is not a reference; target is assumed empty.
HRESULT CopyValue(VARIANT* target, const VARIANT* source) {
  switch (source->vt) {
    case VT_BSTR: {
      BSTR copy = nullptr;
      if (source->bstrVal != nullptr) {
        copy = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (copy == nullptr) return E_OUTOFMEMORY;
      }
      target->vt = VT_BSTR;
      target->bstrVal = copy;
      return S_OK;
    }
    case VT_DISPATCH:
    case VT_UNKNOWN:
      if (source->punkVal != nullptr) source->punkVal->AddRef();
      *target = *source;
      return S_OK;
    default:
      if (!IsKnownType(source->vt & VT_TYPEMASK) || source->vt == VT_VARIANT)
        return DISP_E_BADVARTYPE;
      *target = *source;
      return S_OK;
  }
}

// Builds the plain value a reference points at (without taking ownership of anything).
HRESULT Dereference(const VARIANT* source, VARIANT& plain) {
  const VARTYPE base = source->vt & VT_TYPEMASK;
  if (source->byref == nullptr) return E_INVALIDARG;
  switch (base) {
    case VT_VARIANT:
      if (source->pvarVal->vt & VT_BYREF) return E_INVALIDARG;
      plain = *source->pvarVal;
      return S_OK;
    case VT_I4: plain.vt = VT_I4; plain.lVal = *source->plVal; return S_OK;
    case VT_I2: plain.vt = VT_I2; plain.iVal = *static_cast<std::int16_t*>(source->byref); return S_OK;
    case VT_UI1: plain.vt = VT_UI1; plain.bVal = *static_cast<std::uint8_t*>(source->byref); return S_OK;
    case VT_R4: plain.vt = VT_R4; plain.fltVal = *static_cast<float*>(source->byref); return S_OK;
    case VT_R8: plain.vt = VT_R8; plain.dblVal = *source->pdblVal; return S_OK;
    case VT_BOOL: plain.vt = VT_BOOL; plain.boolVal = *source->pboolVal; return S_OK;
    case VT_ERROR: plain.vt = VT_ERROR; plain.scode = *static_cast<SCODE*>(source->byref); return S_OK;
    case VT_BSTR: plain.vt = VT_BSTR; plain.bstrVal = *source->pbstrVal; return S_OK;
    case VT_DISPATCH: plain.vt = VT_DISPATCH; plain.pdispVal = *source->ppdispVal; return S_OK;
    case VT_UNKNOWN: plain.vt = VT_UNKNOWN; plain.punkVal = *source->ppunkVal; return S_OK;
    default:
      return DISP_E_BADVARTYPE;
  }
}

HRESULT MakeBstr(std::u16string_view text, VARIANT& out) {
  BSTR value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (value == nullptr) return E_OUTOFMEMORY;
  out.vt = VT_BSTR;
  out.bstrVal = value;
  return S_OK;
}

// Reads the object's default property into a fresh value.
HRESULT ValueProperty(IDispatch* object, VARIANT& out) {
  if (object == nullptr) return DISP_E_TYPEMISMATCH;
  DISPPARAMS none;
  VARIANT result;
  const HRESULT hr = object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
  if (FAILED(hr)) {
    VariantClear(&result);
    return DISP_E_TYPEMISMATCH;
  }
  out = result;
  return S_OK;
}

bool IsTextTrue(std::u16string_view text, bool& value) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == u' ') ++begin;
  while (end > begin && text[end - 1] == u' ') --end;
  const auto equalsFolded = [&](std::u16string_view word) {
    if (end - begin != word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k) {
      char16_t c = text[begin + k];
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
      if (c != word[k]) return false;
    }
    return true;
  };
  if (equalsFolded(u"true")) return value = true, true;
  if (equalsFolded(u"false")) return value = false, true;
  return false;
}

// Numeric reading of any plain scalar source.
HRESULT ToDouble(const VARIANT& source, double& value) {
  switch (source.vt) {
    case VT_EMPTY: value = 0; return S_OK;
    case VT_I2: value = source.iVal; return S_OK;
    case VT_I4: value = source.lVal; return S_OK;
    case VT_UI1: value = source.bVal; return S_OK;
    case VT_R4: value = source.fltVal; return S_OK;
    case VT_R8: value = source.dblVal; return S_OK;
    case VT_BOOL: value = source.boolVal ? -1 : 0; return S_OK;
    case VT_BSTR: return ParseDouble(BstrView(source.bstrVal), value);
    default: return DISP_E_TYPEMISMATCH;
  }
}

HRESULT ToInteger(const VARIANT& source, double low, double high, double& value) {
  double number = 0;
  const HRESULT hr = ToDouble(source, number);
  if (FAILED(hr)) return hr;
  number = std::nearbyint(number);  // default rounding mode: half to even, as OLE rounds
  if (!(number >= low && number <= high)) return DISP_E_OVERFLOW;
  value = number;
  return S_OK;
}

HRESULT ToText(const VARIANT& source, WORD flags, VARIANT& out) {
  switch (source.vt) {
    case VT_EMPTY: return MakeBstr(u"", out);
    case VT_BSTR: return MakeBstr(BstrView(source.bstrVal), out);
    case VT_BOOL:
      if (flags & VARIANT_ALPHABOOL) return MakeBstr(source.boolVal ? u"True" : u"False", out);
      return MakeBstr(source.boolVal ? u"-1" : u"0", out);
    case VT_I2: case VT_I4: case VT_UI1: {
      double number = 0;
      ToDouble(source, number);
      const std::string digits = std::to_string(static_cast<long long>(number));
      return MakeBstr(std::u16string(digits.begin(), digits.end()), out);
    }
    case VT_R4: return MakeBstr(FormatDouble(source.fltVal), out);
    case VT_R8: return MakeBstr(FormatDouble(source.dblVal), out);
    default: return DISP_E_TYPEMISMATCH;
  }
}

// Converts a plain, non-object source into out (which is empty).
HRESULT Convert(const VARIANT& source, WORD flags, VARTYPE type, VARIANT& out) {
  double number = 0;
  HRESULT hr = S_OK;
  switch (type) {
    case VT_EMPTY:
      return S_OK;
    case VT_NULL:
      if (source.vt != VT_NULL) return DISP_E_TYPEMISMATCH;
      out.vt = VT_NULL;
      return S_OK;
    case VT_I2:
      hr = ToInteger(source, -32768.0, 32767.0, number);
      if (SUCCEEDED(hr)) out.vt = VT_I2, out.iVal = static_cast<std::int16_t>(number);
      return hr;
    case VT_I4:
      hr = ToInteger(source, -2147483648.0, 2147483647.0, number);
      if (SUCCEEDED(hr)) out.vt = VT_I4, out.lVal = static_cast<std::int32_t>(number);
      return hr;
    case VT_UI1:
      hr = ToInteger(source, 0.0, 255.0, number);
      if (SUCCEEDED(hr)) out.vt = VT_UI1, out.bVal = static_cast<std::uint8_t>(number);
      return hr;
    case VT_R4:
      hr = ToDouble(source, number);
      if (SUCCEEDED(hr) && std::isfinite(number) &&
          std::fabs(number) > std::numeric_limits<float>::max())
        return DISP_E_OVERFLOW;
      if (SUCCEEDED(hr)) out.vt = VT_R4, out.fltVal = static_cast<float>(number);
      return hr;
    case VT_R8:
      hr = ToDouble(source, number);
      if (SUCCEEDED(hr)) out.vt = VT_R8, out.dblVal = number;
      return hr;
    case VT_BOOL: {
      bool truth = false;
      if (source.vt == VT_BSTR && IsTextTrue(BstrView(source.bstrVal), truth)) {
        out.vt = VT_BOOL, out.boolVal = truth ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
      }
      hr = ToDouble(source, number);
      if (SUCCEEDED(hr)) out.vt = VT_BOOL, out.boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
      return hr;
    }
    case VT_BSTR:
      return ToText(source, flags, out);
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

HRESULT ToInterface(const VARIANT& source, VARTYPE type, VARIANT& out) {
  if ((source.vt != VT_DISPATCH && source.vt != VT_UNKNOWN) || source.punkVal == nullptr)
    return DISP_E_TYPEMISMATCH;
  if (type == VT_UNKNOWN || source.vt == VT_DISPATCH) {
    source.punkVal->AddRef();
    out.vt = type;
    out.punkVal = source.punkVal;
    return S_OK;
  }
  void* dispatch = nullptr;
  if (FAILED(source.punkVal->QueryInterface(IID_IDispatch, &dispatch)) || dispatch == nullptr)
    return DISP_E_TYPEMISMATCH;
  out.vt = VT_DISPATCH;
  out.pdispVal = static_cast<IDispatch*>(dispatch);
  return S_OK;
}

}  // namespace

void VariantInit(VARIANT* value) {
  value->vt = VT_EMPTY;
  value->wReserved1 = value->wReserved2 = value->wReserved3 = 0;
  value->dblVal = 0;
}

HRESULT VariantClear(VARIANT* value) {
  if (value == nullptr) return E_INVALIDARG;
  if (!(value->vt & VT_BYREF)) {
    switch (value->vt) {
      case VT_BSTR:
        SysFreeString(value->bstrVal);
        break;
      case VT_DISPATCH:
      case VT_UNKNOWN:
        if (value->punkVal != nullptr) value->punkVal->Release();
        break;
      default:
        if (!IsKnownType(value->vt)) return DISP_E_BADVARTYPE;
        break;
    }
  }
  VariantInit(value);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* target, const VARIANT* source) {
  if (target == nullptr || source == nullptr) return E_INVALIDARG;
  if (target == source) return S_OK;
  VARIANT copy;
  HRESULT hr = S_OK;
  if (source->vt & VT_BYREF) {
    if (!IsKnownType(source->vt & VT_TYPEMASK)) return DISP_E_BADVARTYPE;
    copy = *source;
  } else {
    hr = CopyValue(&copy, source);
    if (FAILED(hr)) return hr;
  }
  hr = VariantClear(target);
  if (FAILED(hr)) {
    VariantClear(&copy);
    return hr;
  }
  *target = copy;
  return S_OK;
}

HRESULT VariantCopyInd(VARIANT* target, const VARIANT* source) {
  if (target == nullptr || source == nullptr) return E_INVALIDARG;
  if (!(source->vt & VT_BYREF)) return VariantCopy(target, source);
  VARIANT plain;
  HRESULT hr = Dereference(source, plain);
  if (FAILED(hr)) return hr;
  VARIANT copy;
  hr = CopyValue(&copy, &plain);
  if (FAILED(hr)) return hr;
  if (target != source) {
    hr = VariantClear(target);
    if (FAILED(hr)) {
      VariantClear(&copy);
      return hr;
    }
  }
  *target = copy;  // a reference owns nothing, so overwriting source in place is safe
  return S_OK;
}

HRESULT VariantChangeType(VARIANT* target, const VARIANT* source, WORD flags, VARTYPE type) {
  if (target == nullptr || source == nullptr) return E_INVALIDARG;
  if (type & VT_BYREF || !IsKnownType(type) || type == VT_VARIANT || type == VT_ERROR)
    return DISP_E_BADVARTYPE;

  VARIANT plain;
  if (source->vt & VT_BYREF) {
    const HRESULT hr = Dereference(source, plain);
    if (FAILED(hr)) return hr;
  } else {
    if (!IsKnownType(source->vt)) return DISP_E_BADVARTYPE;
    plain = *source;
  }

  VARIANT out;
  HRESULT hr = S_OK;
  if (plain.vt == type) {
    hr = CopyValue(&out, &plain);
  } else if (type == VT_DISPATCH || type == VT_UNKNOWN) {
    hr = ToInterface(plain, type, out);
  } else if (plain.vt == VT_DISPATCH || plain.vt == VT_UNKNOWN) {
    if (flags & VARIANT_NOVALUEPROP) return DISP_E_TYPEMISMATCH;
    IDispatch* object = plain.vt == VT_DISPATCH ? plain.pdispVal : nullptr;
    VARIANT value;
    hr = ValueProperty(object, value);
    if (SUCCEEDED(hr)) {
      // The default property of an object that answers itself would loop forever.
      hr = (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN)
               ? DISP_E_TYPEMISMATCH
               : (value.vt == type ? CopyValue(&out, &value) : Convert(value, flags, type, out));
      VariantClear(&value);
    }
  } else {
    hr = Convert(plain, flags, type, out);
  }
  if (FAILED(hr)) return hr;
  if (target != source || !(source->vt & VT_BYREF)) {
    hr = VariantClear(target);
    if (FAILED(hr)) {
      VariantClear(&out);
      return hr;
    }
  }
  *target = out;
  return S_OK;
}

}  // namespace vantrel::platform
