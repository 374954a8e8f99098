#pragma once
// FillStep, remembered: pixels on the same course meet the same colours again and again, and
// a step through an ARGB format divides by alpha twice.
#include <cstdint>
#include <vector>

#include "platform/gdiplus/fill/pixel_format.h"
#include "platform/gdiplus/fill/probe_table.h"

namespace vantrel::platform::gdiplus {

class StepMemo {
 public:
  explicit StepMemo(StoredFormat format) : format_(format) {}

  std::uint32_t Step(std::uint32_t raw, Premultiplied colour, int coverage) {
    // Premultiplied pixels are stored as composited, and so are opaque ARGB ones under an
    // opaque colour (they stay opaque): a few multiplications, cheaper than a look-up.
    if (format_ == StoredFormat::Pargb32 ||
        (format_ == StoredFormat::Argb32 && (raw & colour) >> 24 == 0xFF)) {
      return CompositeOver(raw, colour, coverage);
    }
    const std::uint64_t key = std::uint64_t{raw} << 32 | colour;
    Entry& entry =
        entries_[(Mix(key) + static_cast<std::uint64_t>(coverage)) & (entries_.size() - 1)];
    if (entry.key != key || entry.coverage != coverage) {
      entry = {key, coverage, FillStep(raw, colour, coverage, format_)};
    }
    return entry.result;
  }

 private:
  struct Entry {
    std::uint64_t key = ~std::uint64_t{0};
    int coverage = -1;
    std::uint32_t result = 0;
  };
  StoredFormat format_;
  // Sized so the colours a large symbol's edges pass through mostly stay (measured).
  std::vector<Entry> entries_ = std::vector<Entry>(16384);
};

}  // namespace vantrel::platform::gdiplus
