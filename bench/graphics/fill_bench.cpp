// Generate's painting sequence on the flat interface: session, bitmap, context with its three
// settings, two brushes, two paths, one AddPathRectangle + FillPath per cell, then the PNG
// into a memory stream. The eager reference paints the same cells for comparison.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "platform/gdiplus/fill/eager_fill.h"
#include "platform/gdiplus/gdiplus_flat.h"
#include "platform/memory/global_memory.h"
#include "platform/memory/stream_on_hglobal.h"

namespace {

using namespace vantrel::platform;
using namespace vantrel::platform::gdiplus;

struct Cell {
  float x;
  float y;
  bool dark;
};

struct Symbol {
  float moduleWidth;
  float moduleHeight;
  std::vector<Cell> cells;
};

// A symbol-like grid: pseudo-random modules (about half dark), laid out the way the encoder's
// cell list places them: size round(w/n), position floor(k*w/n), row by row.
Symbol MakeSymbol(int modules, int width, int height) {
  Symbol symbol{std::round(static_cast<float>(width) / modules),
                std::round(static_cast<float>(height) / modules), {}};
  std::mt19937 random(static_cast<std::uint32_t>(modules));
  for (int row = 0; row < modules; ++row) {
    for (int column = 0; column < modules; ++column) {
      symbol.cells.push_back({std::floor(static_cast<float>(column) * width / modules),
                              std::floor(static_cast<float>(row) * height / modules),
                              random() % 2 == 0});
    }
  }
  return symbol;
}

// The bytes of one Generate run's PNG.
std::size_t PaintAndEncode(const Symbol& symbol, int width, int height) {
  ULONG_PTR token = 0;
  GdiplusStartupInput input;
  GdiplusStartup(&token, &input, nullptr);
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
  auto* image = reinterpret_cast<GpImage*>(bitmap);
  GpGraphics* graphics = nullptr;
  GdipGetImageGraphicsContext(image, &graphics);
  GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias);
  GdipSetInterpolationMode(graphics, InterpolationModeHighQualityBicubic);
  GdipSetCompositingQuality(graphics, CompositingQualityHighQuality);
  GpSolidFill* darkBrush = nullptr;
  GpSolidFill* lightBrush = nullptr;
  GdipCreateSolidFill(0xFF000000, &darkBrush);
  GdipCreateSolidFill(0xFFFFFFFF, &lightBrush);
  GpPath* darkPath = nullptr;
  GpPath* lightPath = nullptr;
  GdipCreatePath(FillModeAlternate, &darkPath);
  GdipCreatePath(FillModeAlternate, &lightPath);
  for (const Cell& cell : symbol.cells) {
    GpPath* path = cell.dark ? darkPath : lightPath;
    GdipAddPathRectangle(path, cell.x, cell.y, symbol.moduleWidth, symbol.moduleHeight);
    GdipFillPath(graphics, reinterpret_cast<GpBrush*>(cell.dark ? darkBrush : lightBrush), path);
  }

  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 0);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(memory, 0, &stream);
  GdipSaveImageToStream(image, stream, &EncoderClsidPNG, nullptr);
  const std::size_t size = GlobalSize(memory);
  std::vector<std::uint8_t> bytes(size);
  if (void* locked = GlobalLock(memory)) {
    std::copy_n(static_cast<const std::uint8_t*>(locked), size, bytes.begin());
    GlobalUnlock(memory);
  }
  stream->Release();
  GlobalFree(memory);

  GdipDisposeImage(image);
  GdipDeleteGraphics(graphics);
  GdipDeleteBrush(reinterpret_cast<GpBrush*>(darkBrush));
  GdipDeleteBrush(reinterpret_cast<GpBrush*>(lightBrush));
  GdipDeletePath(darkPath);
  GdipDeletePath(lightPath);
  GdiplusShutdown(token);
  return bytes.size();
}

void Generate(benchmark::State& state) {
  const int modules = static_cast<int>(state.range(0));
  const int side = static_cast<int>(state.range(1));
  const Symbol symbol = MakeSymbol(modules, side, side);
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = PaintAndEncode(symbol, side, side);
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["png_bytes"] = static_cast<double>(bytes);
  state.counters["cells"] = static_cast<double>(symbol.cells.size());
}
BENCHMARK(Generate)
    ->ArgNames({"modules", "side"})
    ->Args({177, 256})
    ->Args({177, 2048})
    ->Args({21, 256})
    ->Unit(benchmark::kMillisecond);

// The plain fill on the same cells: every FillPath repaints its path's rectangles so far.
void EagerReference(benchmark::State& state) {
  const int modules = static_cast<int>(state.range(0));
  const int side = static_cast<int>(state.range(1));
  const Symbol symbol = MakeSymbol(modules, side, side);
  for (auto _ : state) {
    std::vector<std::uint8_t> memory(static_cast<std::size_t>(side) * side * 4, 0);
    const PixelView pixels{memory.data(), side, side, side * 4, StoredFormat::Argb32};
    RectList dark, light;
    for (const Cell& cell : symbol.cells) {
      RectList& path = cell.dark ? dark : light;
      path.push_back({cell.x, cell.y, symbol.moduleWidth, symbol.moduleHeight});
      FillEagerly(pixels, path, FillModeAlternate, cell.dark ? 0xFF000000 : 0xFFFFFFFF, true);
    }
    benchmark::DoNotOptimize(memory.data());
  }
}
BENCHMARK(EagerReference)
    ->ArgNames({"modules", "side"})
    ->Args({177, 256})
    ->Args({21, 256})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
