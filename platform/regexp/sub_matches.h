#pragma once
// The groups of one match: "Count" and "Item" (0-based; the default member). A group that
// took part in no match gives VT_EMPTY. Part of its match object, whose lifetime it shares.

#include "platform/automation/dispatch_object.h"
#include "platform/regexp/match_set.h"

namespace vantrel::platform {

class SubMatches final : public DispatchObject {
 public:
  SubMatches(DispatchObject& match, const MatchSet& matches, std::size_t index)
      : DispatchObject(match), matches_(matches), match_(index) {}
  void Retarget(std::size_t index) { match_ = index; }

 protected:
  std::span<const Member> Members() const override;
  HRESULT InvokeMember(DISPID id, Action action, const Arguments& arguments,
                       VARIANT& result) override;

 private:
  const MatchSet& matches_;
  std::size_t match_;
};

}  // namespace vantrel::platform
