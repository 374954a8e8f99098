// The encoder entry end to end, and its stages at version 40.
#include <benchmark/benchmark.h>

#include "encoder/entry.h"
#include "encoder/qr_code.h"
#include "encoder/symbol_model.h"
#include "encoder/symbol_rules.h"

namespace {

using namespace vantrel::encoder;

const std::u16string kVersion40(1273, u'v');

void BM_TestAbc(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(test(u"abc", 256, 256));
}
BENCHMARK(BM_TestAbc);

void BM_TestVersion40(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(test(kVersion40, 256, 256));
}
BENCHMARK(BM_TestVersion40)->Unit(benchmark::kMillisecond);

void BM_MakeSymbolVersion40(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(makeSymbol(kVersion40));
}
BENCHMARK(BM_MakeSymbolVersion40)->Unit(benchmark::kMicrosecond);

void BM_LostPointVersion40(benchmark::State& state) {
  SymbolModel model(40, 2);
  model.addData(kVersion40);
  model.makeImpl(true, 0);
  for (auto _ : state) benchmark::DoNotOptimize(SymbolRules::getLostPoint(model));
}
BENCHMARK(BM_LostPointVersion40)->Unit(benchmark::kMicrosecond);

void BM_CellListVersion40(benchmark::State& state) {
  const SymbolModel model = makeSymbol(kVersion40);
  for (auto _ : state) benchmark::DoNotOptimize(drawwww(model, 256, 256));
}
BENCHMARK(BM_CellListVersion40)->Unit(benchmark::kMicrosecond);

}  // namespace
