// Generate's painting sequence through the wrappers, from session start to the PNG bytes,
// for the cells the encoder gives.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <charconv>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "encoder/entry.h"
#include "graphics/graphics_wrap.h"
#include "graphics/image_wrap.h"
#include "graphics/path_wrap.h"
#include "graphics/session.h"
#include "graphics/solid_brush_wrap.h"

namespace {

using namespace vantrel::graphics;

struct Cell {
  int x;
  int y;
  bool dark;
};

struct Symbol {
  int moduleWidth = 0;
  int moduleHeight = 0;
  std::vector<Cell> cells;
};

// The whole-number part of a decimal text, as Generate reads it.
int LeadingInteger(std::string_view text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Reads "width<W>height<H>+x,y,word|..." as Generate does.
Symbol ReadCellList(std::string_view list) {
  Symbol symbol;
  const auto width = list.find("width");
  const auto height = list.find("height");
  const auto plus = list.find('+');
  if (width == std::string_view::npos || height == std::string_view::npos ||
      plus == std::string_view::npos) {
    return symbol;
  }
  symbol.moduleWidth = LeadingInteger(list.substr(width + 5));
  symbol.moduleHeight = LeadingInteger(list.substr(height + 6));
  std::string_view entries = list.substr(plus + 1);
  while (!entries.empty()) {
    const auto end = entries.find('|');
    std::string_view entry = entries.substr(0, end);
    const auto first = entry.find(',');
    const auto second = entry.find(',', first + 1);
    symbol.cells.push_back({LeadingInteger(entry.substr(0, first)),
                            LeadingInteger(entry.substr(first + 1)),
                            entry.substr(second + 1) == "true"});
    if (end == std::string_view::npos) break;
    entries.remove_prefix(end + 1);
  }
  return symbol;
}

Symbol SymbolFor(const std::u16string& content, int width, int height) {
  return ReadCellList(vantrel::encoder::test(content, width, height));
}

std::vector<std::uint8_t> Paint(const Symbol& symbol, int width, int height) {
  ImageWrap bitmap;
  GraphicsWrap context;
  SolidBrushWrap darkBrush, lightBrush;
  PathWrap darkPath, lightPath;
  StartGraphicsSession();
  bitmap.CreateBitmap(width, height);
  context.FromImage(bitmap);
  context.SetSmoothingMode(4);
  context.SetInterpolationMode(7);
  context.SetCompositingQuality(2);
  darkBrush.Create(0xFF000000);
  lightBrush.Create(0xFFFFFFFF);
  darkPath.Create();
  lightPath.Create();
  const auto w = static_cast<float>(symbol.moduleWidth);
  const auto h = static_cast<float>(symbol.moduleHeight);
  for (const Cell& cell : symbol.cells) {
    PathWrap& path = cell.dark ? darkPath : lightPath;
    path.AddRectangle(static_cast<float>(cell.x), static_cast<float>(cell.y), w, h);
    context.FillPath(cell.dark ? darkBrush : lightBrush, path);
  }
  std::vector<std::uint8_t> png = bitmap.SaveToBytes(kPngFormat);
  bitmap.Dispose();
  context.Delete();
  darkBrush.Delete();
  lightBrush.Delete();
  darkPath.Delete();
  lightPath.Delete();
  StopGraphicsSession();
  return png;
}

void PaintSymbol(benchmark::State& state, const std::u16string& content, std::size_t cells) {
  const int size = static_cast<int>(state.range(0));
  const Symbol symbol = SymbolFor(content, size, size);
  if (symbol.cells.size() != cells) {
    state.SkipWithError("unexpected cell count");
    return;
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto png = Paint(symbol, size, size);
    bytes = png.size();
    benchmark::DoNotOptimize(png.data());
  }
  if (bytes == 0) state.SkipWithError("no PNG was made");
  state.counters["png_bytes"] = static_cast<double>(bytes);
}

// Resident bytes now, and the most the process has had resident.
long ResidentBytes() {
  long total = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> total >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}
long PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss * 1024;
}

// What one painting of the largest symbol holds at its peak beyond what was resident before,
// counted in bitmaps of the picture's size. Registered first: the peak is the process's own,
// so no larger run may come before it.
void BM_GeneratePaintMemory(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const Symbol symbol = SymbolFor(std::u16string(1273, u'a'), size, size);
  // A small painting first, so that loading the graphics library and its codecs is not counted.
  benchmark::DoNotOptimize(Paint(SymbolFor(u"abc", 64, 64), 64, 64).data());
  const long before = ResidentBytes();
  for (auto _ : state) benchmark::DoNotOptimize(Paint(symbol, size, size).data());
  const double bitmap = 4.0 * size * size;
  state.counters["peak_bitmaps"] = static_cast<double>(PeakResidentBytes() - before) / bitmap;
}
BENCHMARK(BM_GeneratePaintMemory)->Arg(2048)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_GeneratePaintVersion40(benchmark::State& state) {
  // 1,273 bytes, the most a version-40 symbol holds at level H.
  PaintSymbol(state, std::u16string(1273, u'a'), 177u * 177u);
}
BENCHMARK(BM_GeneratePaintVersion40)->Arg(256)->Arg(2048)->Unit(benchmark::kMillisecond);

void BM_GeneratePaintAbc(benchmark::State& state) { PaintSymbol(state, u"abc", 21u * 21u); }
BENCHMARK(BM_GeneratePaintAbc)->Arg(256)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
