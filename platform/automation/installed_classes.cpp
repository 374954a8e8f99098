#include "platform/automation/installed_classes.h"

#include "platform/regexp/regexp_object.h"

namespace vantrel::platform {

std::span<const InstalledClass> InstalledClasses() {
  static constexpr InstalledClass kClasses[] = {
      {u"VBScript.RegExp", CLSID_RegExp, &CreateRegExpObject},
  };
  return kClasses;
}

}  // namespace vantrel::platform
