#pragma once
// f, f(f), ... from one colour under one fill repeated, until it stops changing: where a pixel
// meets nothing but that fill, its colour after n of them is the n-th value.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel::platform::gdiplus {

struct Chain {
  std::vector<std::uint32_t> values;
  bool settled = false;

  // The colour after `steps` fills from `start` (the chain's first value), `step` giving the
  // next one; counts the values it adds in `made`.
  template <class Step>
  std::uint32_t After(std::uint32_t start, std::size_t steps, Step step, std::size_t& made) {
    if (values.empty()) values.push_back(start);
    while (!settled && values.size() <= steps) {
      const std::uint32_t next = step(values.back());
      if (next == values.back()) {
        settled = true;
      } else {
        values.push_back(next);
        ++made;
      }
    }
    return values[std::min(steps, values.size() - 1)];
  }
};

}  // namespace vantrel::platform::gdiplus
