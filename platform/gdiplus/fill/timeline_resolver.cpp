#include "platform/gdiplus/fill/timeline_resolver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>

#include "platform/gdiplus/fill/probe_table.h"

namespace vantrel::platform::gdiplus::timeline {
namespace {

// Rectangles covering more than this many times the box's pixels, all counted, are left to
// the class resolver, which moves runs of equal pixels at once.
constexpr double kAreaPerPixel = 4.0;

// Steps a pixel takes on its own before its course is remembered for the pixels after it:
// few for the first course of its coverage; more where courses are known, since the pixel's
// colour mostly runs into one of them a little later.
constexpr std::uint32_t kStepsBeforeFirstCourse = 32;
constexpr std::uint32_t kStepsBeforeAnotherCourse = 128;

// Remembered courses cost one value a fill each; past these the pixels step on their own.
constexpr std::size_t kMaxTrajectories = 256;
constexpr std::size_t kMaxTrajectoryValues = std::size_t{1} << 21;

// Chains are only remembered work: past this many values they are dropped and made again.
constexpr std::size_t kMaxChainValues = std::size_t{1} << 20;

constexpr std::uint32_t kUntouched = kNone;

}  // namespace

Plan::Plan(std::span<const FillRequest> batch) {
  std::vector<std::size_t> applied;
  fills_.reserve(batch.size());
  if (!batch.empty()) {
    entries_.reserve(batch.back().rectCount + batch.size());
    unplaced_.reserve(batch.back().rectCount + batch.size());
  }
  for (std::size_t f = 0; f < batch.size(); ++f) {
    const FillRequest& fill = batch[f];
    auto found = std::find_if(slots_.begin(), slots_.end(), [&](const Slot& slot) {
      return slot.rects == fill.rects.get() && slot.fillMode == fill.fillMode;
    });
    if (found == slots_.end()) {
      slots_.push_back({fill.rects.get(), fill.fillMode, 0, {}, {}, {}});
      applied.push_back(0);
      found = slots_.end() - 1;
      // Room for every fill: pages that stay unused are never touched.
      found->times.reserve(batch.size() - f);
      found->runs.reserve(batch.size() - f);
    }
    const auto s = static_cast<std::size_t>(found - slots_.begin());
    found->codeMask |= CodeMaskFor(fill.antiAlias);
    fills_.push_back({fill.colour, static_cast<std::uint8_t>(s), fill.antiAlias});
    Slot& slot = slots_[s];
    const Fill* last = slot.times.empty() ? nullptr : &fills_[slot.times.back()];
    const bool sameAsLast =
        last != nullptr && last->colour == fill.colour && last->antiAlias == fill.antiAlias;
    slot.runs.push_back(slot.runs.empty() ? 0 : slot.runs.back() + (sameAsLast ? 0 : 1));
    slot.times.push_back(static_cast<std::uint32_t>(f));
    for (; applied[s] < fill.rectCount; ++applied[s]) {
      entries_.push_back({{}, static_cast<std::uint32_t>(f), static_cast<std::uint32_t>(s)});
      unplaced_.push_back(&(*fill.rects)[applied[s]]);
    }
  }
  for (Slot& slot : slots_) {
    slot.fillsBefore.assign(batch.size() + 1, 0);
    for (const std::uint32_t time : slot.times) ++slot.fillsBefore[time + 1];
    for (std::size_t t = 0; t < batch.size(); ++t) slot.fillsBefore[t + 1] += slot.fillsBefore[t];
  }
}

Plan::Placement Plan::Place(std::size_t part, std::size_t parts, int width, int height) {
  Placement placed{{width, height, -1, -1}, 0};
  Box& box = placed.box;
  const std::size_t end = entries_.size() * (part + 1) / parts;
  for (std::size_t i = entries_.size() * part / parts; i < end; ++i) {
    const RectSpan span = SpanOfRect(*unplaced_[i], width, height);
    if (span.Empty()) continue;  // the entry keeps its empty span
    entries_[i].span = span;
    placed.area += static_cast<double>(span.columns.last - span.columns.first + 1) *
                   static_cast<double>(span.rows.last - span.rows.first + 1);
    box.left = std::min(box.left, span.columns.first);
    box.right = std::max(box.right, span.columns.last);
    box.top = std::min(box.top, span.rows.first);
    box.bottom = std::max(box.bottom, span.rows.last);
  }
  return placed;
}

void Plan::Placed(std::span<const Placement> placements) {
  box_ = placements.front().box;
  for (const Placement& placed : placements) {
    box_.left = std::min(box_.left, placed.box.left);
    box_.right = std::max(box_.right, placed.box.right);
    box_.top = std::min(box_.top, placed.box.top);
    box_.bottom = std::max(box_.bottom, placed.box.bottom);
    area_ += placed.area;
  }
  unplaced_ = {};
}

bool Plan::Suits() const {
  return area_ <= kAreaPerPixel * box_.Width() * box_.Height() + 65536.0;
}

Resolver::Resolver(const PixelView& pixels, const Box& box, const Plan& plan, int stripe,
                   int stripes, StepBudget budget)
    : pixels_(pixels),
      box_(box),
      plan_(plan),
      stripes_(stripes),
      firstRow_(box.top + stripe),
      rowCount_(firstRow_ > box.bottom ? 0 : (box.bottom - firstRow_) / stripes + 1),
      end_(static_cast<std::uint32_t>(plan.Fills().size())),
      steps_(pixels.format),
      allowed_(budget) {}

void Resolver::Resolve() {
  ListRows();
  const auto width = static_cast<std::size_t>(box_.Width());
  budget_ = allowed_.perItem * (width * static_cast<std::size_t>(rowCount_) +
                                rowEntries_.size() + std::size_t{8} * end_) +
            allowed_.allowance;
  // Which rows to work out, first: the results then take one allocation of their exact size.
  rowResult_.assign(static_cast<std::size_t>(rowCount_), kUntouched);
  std::uint32_t computed = 0;
  for (int r = 0; r < rowCount_; ++r) {
    if (rowStart_[r] == rowStart_[r + 1]) continue;
    rowResult_[r] = r > 0 && rowResult_[r - 1] != kUntouched && SameAsRowAbove(r)
                        ? rowResult_[r - 1]
                        : computed++;
  }
  results_.resize(computed * width);
  for (int r = 0; r < rowCount_; ++r) {
    const std::uint32_t row = rowResult_[r];
    if (row == kUntouched || (r > 0 && rowResult_[r - 1] == row)) continue;
    ResolveRow(r, results_.data() + row * width);
  }
}

void Resolver::Write() const {
  const auto width = static_cast<std::size_t>(box_.Width());
  for (int r = 0; r < rowCount_; ++r) {
    if (rowResult_[r] == kUntouched) continue;
    const int y = RowY(r);
    const std::uint32_t* row = results_.data() + rowResult_[r] * width;
    if (BytesPerPixel(pixels_.format) == 4) {
      std::memcpy(pixels_.At(box_.left, y), row, width * 4);
      continue;
    }
    for (std::size_t i = 0; i < width; ++i) {
      pixels_.Write(box_.left + static_cast<int>(i), y, row[i]);
    }
  }
}

// For every stripe row, the entries touching it, in time order.
void Resolver::ListRows() {
  const std::vector<Plan::Entry>& entries = plan_.Entries();
  auto rowsOf = [&](const AxisSpan& rows) {
    const int low =
        rows.first <= firstRow_ ? 0 : (rows.first - firstRow_ + stripes_ - 1) / stripes_;
    const int high =
        rows.last < firstRow_ ? -1 : std::min(rowCount_ - 1, (rows.last - firstRow_) / stripes_);
    return std::pair{low, high};
  };
  rowStart_.assign(static_cast<std::size_t>(rowCount_) + 1, 0);
  for (const Plan::Entry& entry : entries) {
    const auto [low, high] = rowsOf(entry.span.rows);
    for (int r = low; r <= high; ++r) ++rowStart_[static_cast<std::size_t>(r) + 1];
  }
  for (int r = 0; r < rowCount_; ++r) rowStart_[r + 1] += rowStart_[r];
  rowEntries_.resize(rowStart_.back());
  std::vector<std::uint32_t> next(rowStart_.begin(), rowStart_.end() - 1);
  for (std::uint32_t id = 0; id < entries.size(); ++id) {
    const auto [low, high] = rowsOf(entries[id].span.rows);
    for (int r = low; r <= high; ++r) rowEntries_[next[r]++] = id;
  }
}

// Whether stripe row r meets the same events as the row above it, from the same colours.
bool Resolver::SameAsRowAbove(int r) const {
  const std::uint32_t *above = rowEntries_.data() + rowStart_[r - 1],
                      *here = rowEntries_.data() + rowStart_[r];
  const std::size_t count = rowStart_[r + 1] - rowStart_[r];
  if (count != rowStart_[r] - rowStart_[r - 1] || !std::equal(here, here + count, above)) {
    return false;
  }
  const int y = RowY(r), yAbove = RowY(r - 1);
  for (std::size_t i = 0; i < count; ++i) {
    const AxisSpan& rows = plan_.Entries()[here[i]].span.rows;
    if (rows.BitsAt(y) != rows.BitsAt(yAbove)) return false;
  }
  return std::memcmp(pixels_.At(box_.left, y), pixels_.At(box_.left, yAbove),
                     static_cast<std::size_t>(box_.Width()) * BytesPerPixel(pixels_.format)) == 0;
}

void Resolver::ResolveRow(int r, std::uint32_t* out) {
  const int y = RowY(r);
  const int left = box_.left;
  const auto width = static_cast<std::size_t>(box_.Width());
  const std::span<const std::uint32_t> list(rowEntries_.data() + rowStart_[r],
                                            rowStart_[r + 1] - rowStart_[r]);
  const std::vector<Plan::Entry>& entries = plan_.Entries();
  // Each column's events, in time order: counted by differences, then placed.
  columnStart_.assign(width + 1, 0);
  for (const std::uint32_t id : list) {
    const AxisSpan& columns = entries[id].span.columns;
    ++columnStart_[columns.first - left];
    --columnStart_[columns.last - left + 1];
  }
  std::uint32_t covering = 0, offset = 0;
  for (std::size_t i = 0; i < width; ++i) {
    covering += columnStart_[i];
    columnStart_[i] = offset;
    offset += covering;
  }
  columnStart_[width] = offset;
  Spend(offset);
  events_.resize(offset);
  columnEnd_.assign(columnStart_.begin(), columnStart_.end() - 1);
  for (const std::uint32_t id : list) {
    const Plan::Entry& entry = entries[id];
    const AxisBits rowBits = entry.span.rows.BitsAt(y);
    const AxisSpan& columns = entry.span.columns;
    const SampleMask inner = MaskAt(kAllAxisBits, rowBits);
    for (int x = columns.first; x <= columns.last; ++x) {
      const SampleMask mask =
          (x == columns.first || x == columns.last) ? MaskAt(columns.BitsAt(x), rowBits) : inner;
      if (mask != 0) events_[columnEnd_[x - left]++] = {entry.time, mask, entry.slot};
    }
  }
  std::uint32_t previousRaw = 0;
  for (std::size_t i = 0; i < width; ++i) {
    const std::uint32_t raw = pixels_.Read(left + static_cast<int>(i), y);
    const std::span<const Event> events(events_.data() + columnStart_[i],
                                        columnEnd_[i] - columnStart_[i]);
    if (i > 0 && raw == previousRaw && columnEnd_[i - 1] - columnStart_[i - 1] == events.size() &&
        std::equal(events.begin(), events.end(), events_.begin() + columnStart_[i - 1])) {
      out[i] = out[i - 1];
    } else {
      out[i] = events.empty() ? raw : ResolvePixel(events, raw);
    }
    previousRaw = raw;
  }
}

std::uint32_t Resolver::ResolvePixel(std::span<const Event> events, std::uint32_t raw) {
  std::array<SampleMask, kSlots> masks{};
  std::uint32_t codes = 0, time = 0;
  for (std::size_t i = 0; i < events.size();) {
    const std::uint32_t at = events[i].time;
    raw = Advance(raw, codes, time, at);
    // Rectangles joining at one fill all join the path that fill paints.
    const std::uint32_t s = events[i].slot;
    const bool winding = plan_.Slots()[s].fillMode == FillModeWinding;
    for (; i < events.size() && events[i].time == at; ++i) {
      masks[s] = winding ? masks[s] | events[i].mask : masks[s] ^ events[i].mask;
    }
    const CoverageCode code = CodeOf(masks[s]) & plan_.Slots()[s].codeMask;
    codes = (codes & ~(0xFFu << (8 * s))) | std::uint32_t{code} << (8 * s);
    time = at;
  }
  return Advance(raw, codes, time, end_);
}

// The colour before fill `to` of a pixel with colour `raw` before fill `from`, its codes
// staying in between.
std::uint32_t Resolver::Advance(std::uint32_t raw, std::uint32_t codes, std::uint32_t from,
                                std::uint32_t to) {
  if (codes == 0 || from >= to) return raw;
  if (AdvanceAlone(raw, codes, from, to)) return raw;
  Combo& combo = ComboFor(codes);
  std::uint32_t time = from;
  for (std::uint32_t steps = 0; time < to; ++time, ++steps) {
    for (const Course& course : combo.courses) {
      if (course.start <= time && course.values[time - course.start] == raw) {
        Spend(steps);
        return course.values[to - course.start];
      }
    }
    const std::uint32_t patience =
        combo.courses.empty() ? kStepsBeforeFirstCourse : kStepsBeforeAnotherCourse;
    if (steps == patience && to - time > patience &&
        trajectories_.size() < kMaxTrajectories &&
        trajectoryValues_ + (end_ - time) < kMaxTrajectoryValues) {
      Spend(steps);
      return AddTrajectory(combo, time, raw).values[to - time];
    }
    raw = Apply(combo, time, raw);
  }
  Spend(time - from);
  return raw;
}

// Advance for a pixel that one slot alone covers, where that slot's fills in between are all
// alike: the colour is the n-th of a chain. Answers false when that does not hold.
bool Resolver::AdvanceAlone(std::uint32_t& raw, std::uint32_t codes, std::uint32_t from,
                            std::uint32_t to) {
  const int s = std::countr_zero(codes) / 8;
  if ((codes >> (8 * s)) > 0xFF) return false;  // another slot covers it too
  const Plan::Slot& slot = plan_.Slots()[s];
  const std::uint32_t first = slot.fillsBefore[from], last = slot.fillsBefore[to];
  if (first == last) return true;
  if (slot.runs[first] != slot.runs[last - 1]) return false;
  const Plan::Fill& fill = plan_.Fills()[slot.times[first]];
  const int coverage =
      CoverageFromCode(static_cast<CoverageCode>(codes >> (8 * s)), fill.antiAlias);
  if (coverage == 0) return true;
  if (chainValues_ > kMaxChainValues) {
    chains_.clear();
    chainOf_ = ProbeTable<ChainKey, ChainKeyHash>();
    chainValues_ = 0;
  }
  const ChainKey key{std::uint64_t{raw} << 32 | fill.colour, coverage};
  std::uint32_t id = chainOf_.Find(key);
  if (id == kNone) {
    id = static_cast<std::uint32_t>(chains_.size());
    chains_.emplace_back();
    chainOf_.Put(key, id);
  }
  const std::size_t made = chainValues_;
  raw = chains_[id].After(
      raw, last - first,
      [&](std::uint32_t from) { return steps_.Step(from, fill.colour, coverage); }, chainValues_);
  Spend(chainValues_ - made);
  return true;
}

std::size_t Resolver::ChainKeyHash::operator()(const ChainKey& key) const {
  return Mix(key.colours + static_cast<std::uint64_t>(key.coverage) * 0x9E3779B97F4A7C15ull);
}

Resolver::Combo& Resolver::ComboFor(std::uint32_t codes) {
  if (lastCombo_ != nullptr && codes == lastCodes_) return *lastCombo_;
  const auto [found, made] = combos_.try_emplace(codes);
  if (made) {
    for (int s = 0; s < kSlots; ++s) {
      const auto code = static_cast<CoverageCode>(codes >> (8 * s));
      found->second.coverage[s][0] = static_cast<std::uint8_t>(CoverageFromCode(code, false));
      found->second.coverage[s][1] = static_cast<std::uint8_t>(CoverageFromCode(code, true));
    }
  }
  lastCodes_ = codes;
  lastCombo_ = &found->second;
  return found->second;
}

std::uint32_t Resolver::Apply(const Combo& combo, std::uint32_t time, std::uint32_t raw) {
  const Plan::Fill& fill = plan_.Fills()[time];
  const int coverage = combo.coverage[fill.slot][fill.antiAlias ? 1 : 0];
  return coverage == 0 ? raw : steps_.Step(raw, fill.colour, coverage);
}

const Resolver::Trajectory& Resolver::AddTrajectory(Combo& combo, std::uint32_t start,
                                                    std::uint32_t raw) {
  Trajectory& made = trajectories_.emplace_back();
  made.start = start;
  made.values.resize(end_ - start + 1);
  made.values[0] = raw;
  for (std::uint32_t time = start; time < end_; ++time) {
    raw = Apply(combo, time, raw);
    made.values[time - start + 1] = raw;
  }
  trajectoryValues_ += made.values.size();
  combo.courses.push_back({start, made.values.data()});
  Spend(end_ - start);
  return made;
}

void Resolver::Spend(std::size_t steps) {
  spent_ += steps;
  if (spent_ > budget_) throw OverBudget{};
}

}  // namespace vantrel::platform::gdiplus::timeline
