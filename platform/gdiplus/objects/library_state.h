#pragma once
// The library's whole state: the open sessions and the table of live objects. The table
// outlives sessions, so handles of a closed session stay invalid in the next one.
#include <cstddef>
#include <set>

#include "platform/gdiplus/objects/handle_table.h"

namespace vantrel::platform::gdiplus {

class LibraryState {
 public:
  bool Running() const { return !tokens_.empty(); }
  ULONG_PTR Open();
  // Closing the last session frees every object.
  void Close(ULONG_PTR token);
  HandleTable& Objects() { return objects_; }

 private:
  std::set<ULONG_PTR> tokens_;
  ULONG_PTR nextToken_ = 0x5E55;
  HandleTable objects_;
};

LibraryState& TheLibrary();

}  // namespace vantrel::platform::gdiplus
