#include "platform/automation/com_runtime.h"

#include <mutex>
#include <string>
#include <vector>

#include "platform/automation/installed_classes.h"

namespace vantrel::platform {
namespace {

struct Apartment {
  int count = 0;
  DWORD mode = COINIT_APARTMENTTHREADED;
};
thread_local Apartment apartment;

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

struct ClassEntry {
  std::u16string progId;
  CLSID clsid;
  ClassFactory factory;
};

class ClassRegistry {
 public:
  static ClassRegistry& Instance() {
    static ClassRegistry registry;
    return registry;
  }

  ClassRegistry() {
    for (const InstalledClass& installed : InstalledClasses())
      entries_.push_back({std::u16string(installed.progId), installed.clsid, installed.create});
  }

  void Add(std::u16string_view progId, const CLSID& clsid, ClassFactory factory) {
    std::lock_guard lock(mutex_);
    for (ClassEntry& entry : entries_) {
      if (EqualsIgnoringCase(entry.progId, progId) || entry.clsid == clsid) {
        entry = {std::u16string(progId), clsid, std::move(factory)};
        return;
      }
    }
    entries_.push_back({std::u16string(progId), clsid, std::move(factory)});
  }

  bool Find(std::u16string_view progId, CLSID& clsid) {
    std::lock_guard lock(mutex_);
    for (const ClassEntry& entry : entries_) {
      if (EqualsIgnoringCase(entry.progId, progId)) {
        clsid = entry.clsid;
        return true;
      }
    }
    return false;
  }

  ClassFactory FactoryOf(const CLSID& clsid) {
    std::lock_guard lock(mutex_);
    for (const ClassEntry& entry : entries_)
      if (entry.clsid == clsid) return entry.factory;
    return {};
  }

 private:
  std::mutex mutex_;
  std::vector<ClassEntry> entries_;
};

}  // namespace

HRESULT CoInitialize(void* reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

HRESULT CoInitializeEx(void* reserved, DWORD mode) {
  if (reserved != nullptr) return E_INVALIDARG;
  if (mode != COINIT_APARTMENTTHREADED && mode != COINIT_MULTITHREADED) return E_INVALIDARG;
  if (apartment.count > 0 && apartment.mode != mode) return RPC_E_CHANGED_MODE;
  apartment.mode = mode;
  return apartment.count++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
  if (apartment.count > 0) --apartment.count;
}

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid) {
  if (progId == nullptr || clsid == nullptr) return E_INVALIDARG;
  return ClassRegistry::Instance().Find(progId, *clsid) ? S_OK : CO_E_CLASSSTRING;
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (apartment.count == 0) return CO_E_NOTINITIALIZED;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  const ClassFactory factory = ClassRegistry::Instance().FactoryOf(clsid);
  if (!factory) return REGDB_E_CLASSNOTREG;
  ComPtr<IUnknown> made;
  try {
    made = factory();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  if (!made) return E_OUTOFMEMORY;
  return made->QueryInterface(iid, object);
}

void RegisterClassObject(std::u16string_view progId, const CLSID& clsid, ClassFactory factory) {
  ClassRegistry::Instance().Add(progId, clsid, std::move(factory));
}

}  // namespace vantrel::platform
