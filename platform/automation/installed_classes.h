#pragma once
// The classes that come with the platform; the registry starts with them.
#include <span>
#include <string_view>

#include "platform/automation/automation_types.h"
#include "platform/automation/com_ptr.h"

namespace vantrel::platform {

struct InstalledClass {
  std::u16string_view progId;
  CLSID clsid;
  ComPtr<IUnknown> (*create)();
};

std::span<const InstalledClass> InstalledClasses();

}  // namespace vantrel::platform
