#pragma once
// The shapes of OLE automation that the stand-in runtime and its objects share: VARIANT,
// BSTR, DISPPARAMS and IDispatch, with COM's names, constants and calling rules.
//
// Ownership follows OLE: a VARIANT owns what it holds (a BSTR, one reference on an
// interface) unless it is VT_BYREF; VariantClear frees it. Invoke's arguments belong to the
// caller, the result VARIANT to whoever receives it.
#include <cstdint>

#include "platform/com/com_types.h"

namespace vantrel::platform {

using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
// Points at the first character; a 32-bit byte length sits just before it and a zero unit
// just after the last character.
using BSTR = OLECHAR*;
using UINT = std::uint32_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LCID = std::uint32_t;
using DISPID = std::int32_t;
using SCODE = std::int32_t;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;

inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_NULL = 1;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R4 = 4;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_DISPATCH = 9;
inline constexpr VARTYPE VT_ERROR = 10;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_VARIANT = 12;
inline constexpr VARTYPE VT_UNKNOWN = 13;
inline constexpr VARTYPE VT_UI1 = 17;
inline constexpr VARTYPE VT_BYREF = 0x4000;
inline constexpr VARTYPE VT_TYPEMASK = 0x0FFF;

// VariantChangeType flags.
inline constexpr WORD VARIANT_NOVALUEPROP = 0x01;
inline constexpr WORD VARIANT_ALPHABOOL = 0x02;

inline constexpr WORD DISPATCH_METHOD = 0x1;
inline constexpr WORD DISPATCH_PROPERTYGET = 0x2;
inline constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
inline constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;

inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = static_cast<HRESULT>(0x80020001);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = static_cast<HRESULT>(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006);
inline constexpr HRESULT DISP_E_BADVARTYPE = static_cast<HRESULT>(0x80020008);
inline constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009);
inline constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000A);
inline constexpr HRESULT DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000B);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000E);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = static_cast<HRESULT>(0x8002000F);

inline constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0);
inline constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110);

class IDispatch;

struct VARIANT {
  VARTYPE vt = VT_EMPTY;
  WORD wReserved1 = 0;
  WORD wReserved2 = 0;
  WORD wReserved3 = 0;
  union {
    std::int32_t lVal;
    std::int16_t iVal;
    std::uint8_t bVal;
    float fltVal;
    double dblVal;
    VARIANT_BOOL boolVal;
    SCODE scode;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    std::int32_t* plVal;
    double* pdblVal;
    VARIANT_BOOL* pboolVal;
    BSTR* pbstrVal;
    IUnknown** ppunkVal;
    IDispatch** ppdispVal;
    VARIANT* pvarVal;
    void* byref;
  };
  VARIANT() : dblVal(0) {}
};
using VARIANTARG = VARIANT;

// rgvarg holds the arguments in reverse order: rgvarg[0] is the last one.
struct DISPPARAMS {
  VARIANTARG* rgvarg = nullptr;
  DISPID* rgdispidNamedArgs = nullptr;
  UINT cArgs = 0;
  UINT cNamedArgs = 0;
};

// Never filled by the stand-in's objects; present so Invoke keeps its shape.
struct EXCEPINFO {
  WORD wCode = 0;
  SCODE scode = 0;
};

class ITypeInfo;

class IDispatch : public IUnknown {
 public:
  virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
  virtual HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) = 0;
  virtual HRESULT GetIDsOfNames(REFIID iid, const LPOLESTR* names, UINT count, LCID lcid,
                                DISPID* ids) = 0;
  virtual HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                         VARIANT* result, EXCEPINFO* exception, UINT* argumentError) = 0;

 protected:
  ~IDispatch() = default;
};

inline constexpr IID IID_NULL{};
inline constexpr IID IID_IDispatch{0x00020400, 0x0000, 0x0000,
                                   {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

}  // namespace vantrel::platform
