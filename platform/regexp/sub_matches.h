#pragma once
// The groups of one match: "Count" and "Item" (0-based; the default member). A group that
// took part in no match gives VT_EMPTY.
#include <memory>

#include "platform/automation/dispatch_object.h"
#include "platform/regexp/match_set.h"

namespace vantrel::platform {

class SubMatches final : public DispatchObject {
 public:
  SubMatches(std::shared_ptr<const MatchSet> matches, std::size_t match)
      : matches_(std::move(matches)), match_(match) {}

 protected:
  std::span<const Member> Members() const override;
  HRESULT InvokeMember(DISPID id, Action action, const Arguments& arguments,
                       VARIANT& result) override;

 private:
  std::shared_ptr<const MatchSet> matches_;
  std::size_t match_;
};

}  // namespace vantrel::platform
