// The matcher's share of a Generate click on the largest symbol: the cell pattern over the
// version-40 cell list at 256 x 256 (31,329 entries), then groups 5, 1 and 3 of every match.
#include <benchmark/benchmark.h>

#include <string>

#include "script/regex_matcher.h"
#include "script/run_encoder_script.h"

namespace vantrel::script {
namespace {

constexpr std::string_view kCellPattern = R"((\d+(\.\d+)?)\,(\d+(\.\d+)?)\,(\w{4,5})\|)";

const std::string& Version40Entries() {
  static const std::string entries = [] {
    const std::string cells = RunEncoderScript(std::string(1273, 'a'), 256, 256);
    return cells.substr(cells.rfind('+') + 1);
  }();
  return entries;
}

void BM_MatchAndReadEveryCell(benchmark::State& state) {
  const std::string& entries = Version40Entries();
  std::int64_t dark = 0;
  for (auto _ : state) {
    RegexMatcher matcher;
    matcher.Match(kCellPattern, entries);
    const std::int32_t count = matcher.MatchCount();
    for (std::int32_t i = 1; i <= count; ++i) {
      dark += matcher.SubMatchText(i, 5) == "true";
      benchmark::DoNotOptimize(matcher.SubMatchText(i, 1));
      benchmark::DoNotOptimize(matcher.SubMatchText(i, 3));
    }
  }
  benchmark::DoNotOptimize(dark);
  state.counters["entries"] = 31329;
  state.counters["chars"] = static_cast<double>(entries.size());
}
BENCHMARK(BM_MatchAndReadEveryCell)->Unit(benchmark::kMillisecond);

void BM_MatchOnly(benchmark::State& state) {
  const std::string& entries = Version40Entries();
  for (auto _ : state) {
    RegexMatcher matcher;
    matcher.Match(kCellPattern, entries);
    benchmark::DoNotOptimize(matcher.MatchCount());
  }
}
BENCHMARK(BM_MatchOnly)->Unit(benchmark::kMillisecond);

void BM_ReadEveryCell(benchmark::State& state) {
  const std::string& entries = Version40Entries();
  RegexMatcher matcher;
  matcher.Match(kCellPattern, entries);
  const std::int32_t count = matcher.MatchCount();
  for (auto _ : state) {
    for (std::int32_t i = 1; i <= count; ++i) {
      benchmark::DoNotOptimize(matcher.SubMatchText(i, 5));
      benchmark::DoNotOptimize(matcher.SubMatchText(i, 1));
      benchmark::DoNotOptimize(matcher.SubMatchText(i, 3));
    }
  }
}
BENCHMARK(BM_ReadEveryCell)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel::script
