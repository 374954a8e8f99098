// Recorded fills against the eager reference: identical pixels on many small seeded
// sequences of rectangles, paths, brushes and settings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "platform/gdiplus/fill/eager_fill.h"
#include "platform/gdiplus/fill/recorded_fill.h"

namespace vantrel::platform::gdiplus {
namespace {

struct Canvas {
  Canvas(int width, int height, StoredFormat format, std::uint32_t seed)
      : memory(static_cast<std::size_t>(width) * height * 4 + 8),
        view{memory.data(), width, height,
             static_cast<std::ptrdiff_t>(width) * BytesPerPixel(format), format} {
    // Caller memory may hold anything to start with.
    std::mt19937 random(seed);
    for (auto& byte : memory) byte = static_cast<std::uint8_t>(random() % 3 == 0 ? random() : 0);
  }
  std::vector<std::uint8_t> memory;
  PixelView view;
};

struct Scenario {
  std::vector<FillRequest> fills;
  std::vector<std::shared_ptr<RectList>> keep;
};

enum class Shapes { Grid, Whole, Fractional, Wild };

RectF RandomRect(std::mt19937& random, int width, int height, Shapes shapes) {
  auto whole = [&](int low, int high) {
    return static_cast<float>(std::uniform_int_distribution<int>(low, high)(random));
  };
  auto real = [&](float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random);
  };
  switch (shapes) {
    case Shapes::Grid: {
      // Generate's cells: whole positions on a step, sizes equal, shared edges and overlaps.
      const int step = 2 + static_cast<int>(random() % 3);
      return {whole(0, width / step) * step, whole(0, height / step) * step,
              static_cast<float>(step - 1 + random() % 3), static_cast<float>(step - 1 + random() % 3)};
    }
    case Shapes::Whole:
      return {whole(-3, width), whole(-3, height), whole(-1, width / 2), whole(-1, height / 2)};
    case Shapes::Fractional:
      return {real(-2, width), real(-2, height), real(-0.5f, width / 2.0f), real(-0.5f, height / 2.0f)};
    case Shapes::Wild:
      break;
  }
  constexpr float kInf = std::numeric_limits<float>::infinity();
  switch (random() % 4) {
    case 0:
      return {real(-2, width), real(-2, height), real(0, 0.6f), real(0, 0.6f)};
    case 1:
      return {whole(-2 * width, width), whole(-2, height), whole(0, 4 * width), whole(0, 2)};
    case 2:
      // Unusable numbers cover nothing, whichever field holds them.
      return {random() % 2 ? std::nanf("") : 1.0f, random() % 2 ? -kInf : 0.0f,
              random() % 2 ? kInf : 3.0f, 2.0f};
    default:
      return {-1e30f, whole(0, height), 2e30f, whole(1, 3)};
  }
}

// Generate's pattern, generalised: several paths, each given rectangles now and then and
// filled with one of a few colours after (almost) every addition; paths are sometimes reset,
// fill modes and smoothing change now and then.
Scenario RandomScenario(std::mt19937& random, int width, int height, Shapes shapes) {
  const int pathCount = 1 + static_cast<int>(random() % 6);
  std::vector<std::shared_ptr<RectList>> paths;
  std::vector<GpFillMode> modes;
  for (int p = 0; p < pathCount; ++p) {
    paths.push_back(std::make_shared<RectList>());
    modes.push_back(random() % 2 ? FillModeAlternate : FillModeWinding);
  }
  const Premultiplied palette[] = {0xFF000000, 0xFFFFFFFF, Premultiply(0x80FF2010),
                                   Premultiply(0x10FFFFFF), 0x00000000, Premultiply(0xC0204080)};
  const int colourCount = 1 + static_cast<int>(random() % 6);
  bool antiAlias = random() % 4 != 0;
  Scenario scenario;
  const int steps = 5 + static_cast<int>(random() % 60);
  for (int step = 0; step < steps; ++step) {
    const int p = static_cast<int>(random() % pathCount);
    const int adds = random() % 5 == 0 ? 0 : 1 + static_cast<int>(random() % 2);
    for (int a = 0; a < adds; ++a) paths[p]->push_back(RandomRect(random, width, height, shapes));
    if (random() % 20 == 0) antiAlias = !antiAlias;
    if (random() % 30 == 0) modes[p] = modes[p] == FillModeAlternate ? FillModeWinding : FillModeAlternate;
    const Premultiplied colour = palette[(p + (random() % 7 == 0 ? 1 : 0)) % colourCount];
    scenario.fills.push_back({paths[p], paths[p]->size(), modes[p], colour, antiAlias});
    if (random() % 40 == 0) {
      scenario.keep.push_back(paths[p]);
      paths[p] = std::make_shared<RectList>();
    }
  }
  for (auto& path : paths) scenario.keep.push_back(path);
  return scenario;
}

// Small class limits compact between almost every two rectangles; stripes split the rows.
void ExpectSameAsEager(std::uint32_t seed, Shapes shapes, StoredFormat format,
                       const RecordedFillOptions& options) {
  std::mt19937 random(seed);
  const int width = 1 + static_cast<int>(random() % 24);
  const int height = 1 + static_cast<int>(random() % 24);
  const Scenario scenario = RandomScenario(random, width, height, shapes);
  Canvas eager(width, height, format, seed);
  Canvas recorded(width, height, format, seed);
  for (const FillRequest& fill : scenario.fills) FillEagerly(eager.view, fill);
  PaintRecordedFills(recorded.view, scenario.fills, options);
  ASSERT_EQ(recorded.memory, eager.memory)
      << "seed " << seed << " shapes " << static_cast<int>(shapes) << " format "
      << static_cast<int>(format) << " size " << width << "x" << height << " fills "
      << scenario.fills.size() << " class limit " << options.classLimit << " stripes "
      << options.stripes << " resolver " << static_cast<int>(options.resolver)
      << " steps " << options.stepsPerItem << " per item + " << options.stepAllowance;
}

// `cases` seeded sequences for every rectangle shape and stored format, seeds counting up
// from firstSeed; optionsFor(seed) is how the recorded fill paints that case.
template <class OptionsFor>
void ExpectSameAsEagerEverywhere(std::uint32_t firstSeed, int cases, OptionsFor optionsFor) {
  const StoredFormat formats[] = {StoredFormat::Argb32, StoredFormat::Pargb32, StoredFormat::Rgb32,
                                  StoredFormat::Rgb24};
  const Shapes shapes[] = {Shapes::Grid, Shapes::Whole, Shapes::Fractional, Shapes::Wild};
  std::uint32_t seed = firstSeed;
  for (const Shapes shape : shapes) {
    for (const StoredFormat format : formats) {
      for (int i = 0; i < cases; ++i, ++seed) {
        ExpectSameAsEager(seed, shape, format, optionsFor(seed));
      }
    }
  }
}

TEST(RecordedFill, EqualsEagerOnRandomSequences) {
  // One to three row stripes, each resolver.
  const FillResolver resolvers[] = {FillResolver::Automatic, FillResolver::Classes,
                                    FillResolver::Timeline};
  ExpectSameAsEagerEverywhere(1, 150, [&](std::uint32_t seed) {
    return RecordedFillOptions{.stripes = 1 + static_cast<int>(seed % 3),
                               .resolver = resolvers[seed / 3 % 3]};
  });
}

TEST(RecordedFill, EqualsEagerWhenTimelinesRunOutOfSteps) {
  // With a few hundred steps at most, many stripes give up part way, and the classes paint
  // them instead.
  ExpectSameAsEagerEverywhere(20001, 40, [](std::uint32_t seed) {
    return RecordedFillOptions{.stripes = 1 + static_cast<int>(seed % 2),
                               .resolver = FillResolver::Timeline,
                               .stepsPerItem = 0,
                               .stepAllowance = seed % 400};
  });
}

TEST(RecordedFill, EqualsEagerWhenItsClassesAreCompacted) {
  ExpectSameAsEagerEverywhere(10001, 40, [](std::uint32_t seed) {
    return RecordedFillOptions{.classLimit = 2 + seed % 24,
                               .stripes = 1 + static_cast<int>(seed % 2),
                               .resolver = FillResolver::Classes};
  });
}

TEST(RecordedFill, EqualsEagerOnGeneratesPatternAtSymbolScale) {
  // Every cell of a 21x21 symbol at width x 100 pixels, each followed by a fill of its path.
  // Cells sit on whole pixels, or where the symbol's pitch puts them (fractional, with gaps, as
  // for a large symbol in a small picture). A class limit of 64 or 16 compacts the classes every
  // few dozen rectangles.
  constexpr int kModules = 21;
  struct Case {
    int width;
    bool fractional;
    RecordedFillOptions options;
  };
  const Case cases[] = {
      {150, false, {}},
      {25, false, {}},
      {1000 / 8, false, {}},
      {150, true, {}},
      {32, true, {}},
      {150, false, {.resolver = FillResolver::Classes}},
      {32, true, {.resolver = FillResolver::Classes}},
      {150, false, {.classLimit = 64, .resolver = FillResolver::Classes}},
      {25, false, {.classLimit = 16, .resolver = FillResolver::Classes}},
      {150, false, {.stripes = 3}},
      {150, true, {.stripes = 3}},
      {150, false, {.stripes = 3, .resolver = FillResolver::Classes}},
  };
  for (const auto& [width, fractional, options] : cases) {
    const int height = 100;
    const float pitchX = static_cast<float>(width) / kModules;
    const float pitchY = static_cast<float>(height) / kModules;
    const float moduleWidth = fractional ? std::floor(pitchX) : std::round(pitchX);
    const float moduleHeight = fractional ? std::floor(pitchY) : std::round(pitchY);
    auto dark = std::make_shared<RectList>(), light = std::make_shared<RectList>();
    std::vector<FillRequest> fills;
    std::mt19937 random(static_cast<std::uint32_t>(width));
    for (int row = 0; row < kModules; ++row) {
      for (int column = 0; column < kModules; ++column) {
        const bool isDark = random() % 2;
        auto& path = isDark ? dark : light;
        const float x = static_cast<float>(column) * pitchX, y = static_cast<float>(row) * pitchY;
        path->push_back({fractional ? x : std::floor(x), fractional ? y : std::floor(y),
                         moduleWidth, moduleHeight});
        fills.push_back({path, path->size(), FillModeAlternate,
                         isDark ? 0xFF000000u : 0xFFFFFFFFu, true});
      }
    }
    Canvas eager(width, height, StoredFormat::Argb32, 0), recorded(width, height, StoredFormat::Argb32, 0);
    std::fill(eager.memory.begin(), eager.memory.end(), 0);
    std::fill(recorded.memory.begin(), recorded.memory.end(), 0);
    for (const FillRequest& fill : fills) FillEagerly(eager.view, fill);
    PaintRecordedFills(recorded.view, fills, options);
    EXPECT_EQ(recorded.memory, eager.memory)
        << "width " << width << (fractional ? " fractional" : "") << " class limit "
        << options.classLimit << " stripes " << options.stripes << " resolver "
        << static_cast<int>(options.resolver);
  }
}

TEST(RecordedFill, ManyPathsArePaintedInBatchesWithTheSameResult) {
  std::mt19937 random(7);
  std::vector<std::shared_ptr<RectList>> paths;
  std::vector<FillRequest> fills;
  for (int i = 0; i < 40; ++i) {
    paths.push_back(std::make_shared<RectList>());
    for (int r = 0; r < 3; ++r) paths.back()->push_back(RandomRect(random, 16, 16, Shapes::Whole));
    fills.push_back({paths.back(), paths.back()->size(), FillModeAlternate, Premultiply(0x80000000u | (random() & 0xFFFFFF)), true});
    // Refill an older path after it has grown.
    auto& older = paths[random() % paths.size()];
    older->push_back(RandomRect(random, 16, 16, Shapes::Fractional));
    fills.push_back({older, older->size(), FillModeWinding, 0xFF00FF00, random() % 2 == 0});
  }
  Canvas eager(16, 16, StoredFormat::Pargb32, 3), recorded(16, 16, StoredFormat::Pargb32, 3);
  for (const FillRequest& fill : fills) FillEagerly(eager.view, fill);
  PaintRecordedFills(recorded.view, fills);
  EXPECT_EQ(recorded.memory, eager.memory);
}

TEST(RecordedFill, StaysExactWithMorePixelStatesThanShortIdsName) {
  // Every pixel of the canvas starts with its own colour, so every pixel a fill touches makes a
  // state of its own: one rectangle over all of them, and one-pixel rectangles that keep
  // their states apart however often the classes are compacted.
  constexpr int kSide = 256;
  std::vector<RectF> onePixelEach;
  for (int i = 0; i < 60000; ++i) {
    onePixelEach.push_back({static_cast<float>(i % kSide), static_cast<float>(i / kSide), 1, 1});
  }
  const std::vector<RectF> cases[] = {{{-0.5f, -0.5f, kSide + 1.0f, kSide + 1.0f}}, onePixelEach};
  for (const FillResolver resolver : {FillResolver::Classes, FillResolver::Timeline})
  for (const std::vector<RectF>& rects : cases) {
    Canvas eager(kSide, kSide, StoredFormat::Rgb32, 0), recorded(kSide, kSide, StoredFormat::Rgb32, 0);
    for (std::uint32_t i = 0; i < kSide * kSide; ++i) {
      const std::uint32_t raw = 0xFF000000u | (i * 2654435761u >> 8);
      std::memcpy(eager.memory.data() + 4 * i, &raw, 4);
      std::memcpy(recorded.memory.data() + 4 * i, &raw, 4);
    }
    const auto path = std::make_shared<RectList>(rects);
    const std::vector<FillRequest> fills{
        {path, path->size(), FillModeAlternate, Premultiply(0x80336699u), true}};
    FillEagerly(eager.view, fills[0]);
    // One stripe: all those states in one table.
    PaintRecordedFills(recorded.view, fills, {.stripes = 1, .resolver = resolver});
    EXPECT_EQ(recorded.memory, eager.memory)
        << rects.size() << " rectangles, resolver " << static_cast<int>(resolver);
  }
}

}  // namespace
}  // namespace vantrel::platform::gdiplus
