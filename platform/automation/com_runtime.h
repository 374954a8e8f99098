#pragma once
// Apartment initialisation and object creation, with ole32's names and results.
//
// Each thread keeps its own initialisation count: CoInitialize adds one (S_OK for the first,
// S_FALSE after), CoUninitialize takes one away; objects can only be created while the count
// is above zero (CO_E_NOTINITIALIZED otherwise). Objects already made keep working after
// the last CoUninitialize; they live until their last reference goes.
#include <functional>
#include <string_view>

#include "platform/automation/automation_types.h"
#include "platform/automation/com_ptr.h"

namespace vantrel::platform {

inline constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;
inline constexpr DWORD COINIT_MULTITHREADED = 0x0;
inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr HRESULT RPC_E_CHANGED_MODE = static_cast<HRESULT>(0x80010106);

HRESULT CoInitialize(void* reserved);
HRESULT CoInitializeEx(void* reserved, DWORD mode);
void CoUninitialize();

// Looks a ProgID up in the class registry, ignoring ASCII case. CO_E_CLASSSTRING when unknown.
HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid);
// Makes a new object of a registered class and answers the interface asked for.
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD context, REFIID iid,
                         void** object);

// A class factory answers a new object, or null when it cannot make one.
using ClassFactory = std::function<ComPtr<IUnknown>()>;
// Adds (or replaces) a class in the process's registry.
void RegisterClassObject(std::u16string_view progId, const CLSID& clsid, ClassFactory factory);

}  // namespace vantrel::platform
