#pragma once
// The timeline resolver behind the recorded fill: one batch of fills, one row stripe, pixel by
// pixel. It suits batches whose rectangles are small next to the pixels they touch (a
// symbol's cells); the class resolver takes the others.
//
// A pixel's coverage by a path changes only at the fills where rectangles touching it join
// the path: its "events", a handful for a cell of a symbol. Between two events the same fills
// act on it. Pixels under the same coverage meet the same fills, so their colours soon run
// together: once a pixel's colour equals that of a remembered course of its coverage (a
// "trajectory": the colour before every fill from some fill on) at the same fill, its colour at
// any later fill is read off the course. A pixel thus costs a few dozen steps, however many
// fills follow.
//
// Rows, and runs of pixels within a row, that meet the same events from the same colour are
// resolved once. A stripe whose steps pass a budget linear in its pixels, events and fills
// gives up (OverBudget), untouched, for the class resolver to do it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/gdiplus/fill/batch.h"
#include "platform/gdiplus/fill/chain.h"
#include "platform/gdiplus/fill/fill_request.h"
#include "platform/gdiplus/fill/pixel_view.h"
#include "platform/gdiplus/fill/probe_table.h"
#include "platform/gdiplus/fill/step_memo.h"

namespace vantrel::platform::gdiplus::timeline {

// The batch as every stripe reads it: its fills, and its rectangles in the order they join.
class Plan {
 public:
  struct Fill {
    Premultiplied colour = 0;
    std::uint8_t slot = 0;
    bool antiAlias = false;
  };
  struct Slot {
    const RectList* rects = nullptr;
    GpFillMode fillMode = FillModeAlternate;
    CoverageCode codeMask = 0;
    // Of the slot's fills: when each is, and its run (equal while colour and smoothing stay).
    std::vector<std::uint32_t> times;
    std::vector<std::uint32_t> runs;
    std::vector<std::uint32_t> fillsBefore;  // by time, to the batch's end
  };
  // A rectangle joining a slot's path at fill `time`: the fill sees it, and so do all later
  // fills of the slot. One that lands on no pixel keeps an empty span on both axes.
  struct Entry {
    RectSpan span;
    std::uint32_t time = 0;
    std::uint32_t slot = 0;
  };
  // Where one part of the rectangles landed.
  struct Placement {
    Box box;
    double area = 0;
  };

  // The batch's fills, and its rectangles still to be placed on a bitmap.
  explicit Plan(std::span<const FillRequest> batch);
  // Places part `part` of `parts` of the rectangles on a bitmap of width x height pixels.
  // Distinct parts may be placed side by side; allocates nothing.
  Placement Place(std::size_t part, std::size_t parts, int width, int height);
  // Ends the placing, given every part's placement.
  void Placed(std::span<const Placement> placements);
  std::size_t Rectangles() const { return entries_.size(); }

  // The pixels the rectangles touch.
  const Box& Touched() const { return box_; }
  // Whether the rectangles cover few enough pixels, all counted, next to the box's.
  bool Suits() const;

  const std::vector<Fill>& Fills() const { return fills_; }
  const std::vector<Slot>& Slots() const { return slots_; }
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Fill> fills_;
  std::vector<Slot> slots_;
  std::vector<Entry> entries_;  // by time
  std::vector<const RectF*> unplaced_;  // the entries' rectangles, until Placed
  Box box_;
  double area_ = 0;
};

// Thrown when resolving would take far longer than the batch's size; nothing is written.
struct OverBudget {};

// The steps a stripe may take: perItem for each of its pixels, events and fills, and allowance.
struct StepBudget {
  std::size_t perItem = 64;
  std::size_t allowance = std::size_t{1} << 22;
};

class Resolver {
 public:
  // Resolves the rows box.top + stripe, box.top + stripe + stripes, ... of the box.
  Resolver(const PixelView& pixels, const Box& box, const Plan& plan, int stripe, int stripes,
           StepBudget budget);

  // Throws OverBudget or std::bad_alloc; touches no pixel.
  void Resolve();
  // Writes this stripe's painted rows; cannot fail.
  void Write() const;

 private:
  struct Event {
    std::uint32_t time;
    std::uint32_t mask;
    std::uint32_t slot;
    bool operator==(const Event&) const = default;
  };
  // A trajectory as a combo's pixels read it: values[i] is the colour before fill start + i.
  struct Course {
    std::uint32_t start;
    const std::uint32_t* values;
  };
  // The coverage a set of slot codes gives under each fill's slot and smoothing, and the
  // trajectories of those codes.
  struct Combo {
    std::uint8_t coverage[kSlots][2] = {};
    std::vector<Course> courses;
  };
  struct ChainKey {
    std::uint64_t colours = 0;  // the start colour and the fill's
    int coverage = 0;
    bool operator==(const ChainKey&) const = default;
  };
  struct ChainKeyHash {
    std::size_t operator()(const ChainKey& key) const;
  };
  struct Trajectory {
    std::uint32_t start = 0;
    std::vector<std::uint32_t> values;  // the colour before fill start + i, to the batch's end
  };

  int RowY(int r) const { return firstRow_ + r * stripes_; }
  void ListRows();
  bool SameAsRowAbove(int r) const;
  void ResolveRow(int r, std::uint32_t* out);
  std::uint32_t ResolvePixel(std::span<const Event> events, std::uint32_t raw);
  std::uint32_t Advance(std::uint32_t raw, std::uint32_t codes, std::uint32_t from,
                        std::uint32_t to);
  bool AdvanceAlone(std::uint32_t& raw, std::uint32_t codes, std::uint32_t from,
                    std::uint32_t to);
  Combo& ComboFor(std::uint32_t codes);
  std::uint32_t Apply(const Combo& combo, std::uint32_t time, std::uint32_t raw);
  const Trajectory& AddTrajectory(Combo& combo, std::uint32_t start, std::uint32_t raw);
  void Spend(std::size_t steps);

  const PixelView& pixels_;
  Box box_;
  const Plan& plan_;
  int stripes_;
  int firstRow_;
  int rowCount_;
  std::uint32_t end_;  // the number of fills
  // The entries touching stripe row r: rowEntries_[rowStart_[r], rowStart_[r + 1]).
  std::vector<std::uint32_t> rowStart_;
  std::vector<std::uint32_t> rowEntries_;
  std::vector<std::uint32_t> rowResult_;  // stripe row -> row of results_, or kUntouched
  std::vector<std::uint32_t> results_;
  std::vector<std::uint32_t> columnStart_;
  std::vector<std::uint32_t> columnEnd_;
  std::vector<Event> events_;
  std::unordered_map<std::uint32_t, Combo> combos_;
  std::uint32_t lastCodes_ = 0;
  Combo* lastCombo_ = nullptr;
  std::vector<Chain> chains_;
  ProbeTable<ChainKey, ChainKeyHash> chainOf_;
  std::size_t chainValues_ = 0;
  std::vector<Trajectory> trajectories_;
  std::size_t trajectoryValues_ = 0;
  StepMemo steps_;
  std::size_t spent_ = 0;
  StepBudget allowed_;
  std::size_t budget_ = 0;
};

}  // namespace vantrel::platform::gdiplus::timeline
