#include "platform/regexp/match_collection.h"

namespace vantrel::platform {
namespace {

enum : DISPID { kItem = DISPID_VALUE, kCount = 1 };

constexpr Member kMembers[] = {
    {u"Item", kItem, MemberForm::ReadOnlyProperty},
    {u"Count", kCount, MemberForm::ReadOnlyProperty},
};

}  // namespace

std::span<const Member> MatchCollection::Members() const { return kMembers; }

HRESULT MatchCollection::InvokeMember(DISPID id, Action, const Arguments& arguments,
                                      VARIANT& result) {
  const std::size_t count = matches_->MatchCount();
  if (id == kCount) {
    if (arguments.Count() != 0) return DISP_E_BADPARAMCOUNT;
    SetInt(result, static_cast<std::int32_t>(count));
    return S_OK;
  }
  if (arguments.Count() != 1) return DISP_E_BADPARAMCOUNT;
  std::int32_t index = 0;
  if (const HRESULT hr = arguments.ReadInt(0, index); FAILED(hr)) return hr;
  if (index < 0 || static_cast<std::size_t>(index) >= count) return DISP_E_BADINDEX;
  const auto match = static_cast<std::size_t>(index);
  if (!last_ || lastIndex_ != match) {
    if (!last_ || !last_->Retarget(match)) last_ = MakeObject<MatchObject>(matches_, match);
    lastIndex_ = match;
  }
  SetObject(result, ComPtr<IDispatch>::Share(last_.Get()));
  return S_OK;
}

}  // namespace vantrel::platform
