#pragma once
// What Execute answers: "Count" and "Item" (0-based; the default member). Matches are kept
// as offsets; Item makes a match object on demand and hands the same one out again while
// the same index is asked for in a row (reusing it for the next index once released).
#include <memory>

#include "platform/automation/dispatch_object.h"
#include "platform/regexp/match_object.h"
#include "platform/regexp/match_set.h"

namespace vantrel::platform {

class MatchCollection final : public DispatchObject {
 public:
  explicit MatchCollection(std::shared_ptr<const MatchSet> matches)
      : matches_(std::move(matches)) {}

 protected:
  std::span<const Member> Members() const override;
  HRESULT InvokeMember(DISPID id, Action action, const Arguments& arguments,
                       VARIANT& result) override;

 private:
  std::shared_ptr<const MatchSet> matches_;
  std::size_t lastIndex_ = 0;
  ComPtr<MatchObject> last_;
};

}  // namespace vantrel::platform
