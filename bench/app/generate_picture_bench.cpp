// GeneratePicture in-process: the whole Generate pipeline from content to PNG bytes.
#include <benchmark/benchmark.h>

#include <string>

#include "app/generate_picture.h"

namespace {

// 1,273 bytes, the most a version-40 symbol holds at level H.
std::string LargestContent() {
  std::string content;
  for (int i = 0; content.size() < 1273; ++i) content += static_cast<char>('!' + i % 90);
  return content;
}

void Generate(benchmark::State& state, const std::string& content) {
  const auto side = static_cast<std::int32_t>(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto picture = vantrel::app::GeneratePicture(content, side, side);
    bytes = picture.size();
    benchmark::DoNotOptimize(picture.data());
  }
  state.counters["png_bytes"] = static_cast<double>(bytes);
}

void BM_GenerateAbc(benchmark::State& state) { Generate(state, "abc"); }
void BM_GenerateLargest(benchmark::State& state) { Generate(state, LargestContent()); }
void BM_GenerateShortUrl(benchmark::State& state) {
  Generate(state, "https://example.com/items/2026/12/11/qr-code-00001");
}

BENCHMARK(BM_GenerateAbc)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateShortUrl)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateLargest)->Arg(256)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
