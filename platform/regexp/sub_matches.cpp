#include "platform/regexp/sub_matches.h"

namespace vantrel::platform {
namespace {

enum : DISPID { kItem = DISPID_VALUE, kCount = 1 };

constexpr Member kMembers[] = {
    {u"Item", kItem, MemberForm::ReadOnlyProperty},
    {u"Count", kCount, MemberForm::ReadOnlyProperty},
};

}  // namespace

std::span<const Member> SubMatches::Members() const { return kMembers; }

HRESULT SubMatches::InvokeMember(DISPID id, Action, const Arguments& arguments, VARIANT& result) {
  const std::uint32_t groups = matches_.groupCount;
  if (id == kCount) {
    if (arguments.Count() != 0) return DISP_E_BADPARAMCOUNT;
    SetInt(result, static_cast<std::int32_t>(groups));
    return S_OK;
  }
  if (arguments.Count() != 1) return DISP_E_BADPARAMCOUNT;
  std::int32_t index = 0;
  if (const HRESULT hr = arguments.ReadInt(0, index); FAILED(hr)) return hr;
  if (index < 0 || static_cast<std::uint32_t>(index) >= groups) return DISP_E_BADINDEX;
  const std::size_t group = static_cast<std::size_t>(index) + 1;
  if (!matches_.TookPart(match_, group)) return S_OK;  // stays VT_EMPTY
  return SetText(result, matches_.Text(match_, group));
}

}  // namespace vantrel::platform
