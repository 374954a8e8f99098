#include "platform/regexp/match_object.h"

namespace vantrel::platform {
namespace {

enum : DISPID { kValue = DISPID_VALUE, kFirstIndex = 10001, kLength = 10002, kSubMatches = 10003 };

constexpr Member kMembers[] = {
    {u"Value", kValue, MemberForm::ReadOnlyProperty},
    {u"FirstIndex", kFirstIndex, MemberForm::ReadOnlyProperty},
    {u"Length", kLength, MemberForm::ReadOnlyProperty},
    {u"SubMatches", kSubMatches, MemberForm::ReadOnlyProperty},
};

}  // namespace

std::span<const Member> MatchObject::Members() const { return kMembers; }

HRESULT MatchObject::InvokeMember(DISPID id, Action, const Arguments& arguments, VARIANT& result) {
  if (arguments.Count() != 0) return DISP_E_BADPARAMCOUNT;
  const MatchSet& matches = *matches_;
  switch (id) {
    case kValue:
      return SetText(result, matches.Text(match_));
    case kFirstIndex:
      SetInt(result, matches.Start(match_));
      return S_OK;
    case kLength:
      SetInt(result, matches.End(match_) - matches.Start(match_));
      return S_OK;
    case kSubMatches:
      SetObject(result, ComPtr<IDispatch>::Share(&subMatches_));
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

}  // namespace vantrel::platform
