#pragma once
// The outcome of one Execute: the subject searched and, for every match, where it and each
// of its groups stand, as [start, end) in UTF-16 units. Shared by the collection and the
// match views it hands out, so views stay valid after the collection is gone.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::platform {

struct MatchSet {
  static constexpr std::int32_t kUnset = -1;

  std::u16string subject;
  std::uint32_t groupCount = 0;
  // (groupCount + 1) start/end pairs per match, group 0 being the whole match.
  std::vector<std::int32_t> spans;
  std::size_t matchCount = 0;  // spans.size() / (2 * PairsPerMatch()), kept to spare a division

  std::size_t PairsPerMatch() const { return std::size_t{groupCount} + 1; }
  std::size_t MatchCount() const { return matchCount; }
  std::int32_t Start(std::size_t match, std::size_t group = 0) const {
    return spans[2 * (match * PairsPerMatch() + group)];
  }
  std::int32_t End(std::size_t match, std::size_t group = 0) const {
    return spans[2 * (match * PairsPerMatch() + group) + 1];
  }
  bool TookPart(std::size_t match, std::size_t group) const { return Start(match, group) != kUnset; }
  std::u16string_view Text(std::size_t match, std::size_t group = 0) const {
    const std::int32_t start = Start(match, group);
    if (start == kUnset) return {};
    return std::u16string_view(subject).substr(start, End(match, group) - start);
  }
};

}  // namespace vantrel::platform
