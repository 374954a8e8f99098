#pragma once
// One match: "Value" (the default member), "FirstIndex" (0-based, in UTF-16 units), "Length"
// and "SubMatches". A light view into the shared match set.
#include <memory>

#include "platform/automation/dispatch_object.h"
#include "platform/regexp/match_set.h"
#include "platform/regexp/sub_matches.h"

namespace vantrel::platform {

class MatchObject final : public DispatchObject {
 public:
  MatchObject(std::shared_ptr<const MatchSet> matches, std::size_t match)
      : matches_(std::move(matches)), match_(match), subMatches_(*this, *matches_, match) {}

  // Turns this view into that of another match of the same set, when no one but the
  // caller holds it; saves making a new one for every match read in turn.
  bool Retarget(std::size_t match) {
    if (!HasSingleReference()) return false;
    match_ = match;
    subMatches_.Retarget(match);
    return true;
  }

 protected:
  std::span<const Member> Members() const override;
  HRESULT InvokeMember(DISPID id, Action action, const Arguments& arguments,
                       VARIANT& result) override;

 private:
  std::shared_ptr<const MatchSet> matches_;
  std::size_t match_;
  SubMatches subMatches_;
};

}  // namespace vantrel::platform
