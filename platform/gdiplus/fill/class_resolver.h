#pragma once
// The pixel-class resolver behind the recorded fill: one batch of fills, one row stripe.
//
// A pixel's coverage by a path changes only when a rectangle touching it joins the path, and
// between two such changes every fill of that path does the same thing to it. So pixels are
// kept in classes ("nodes") of equal colour and equal coverage by each path; a fill updates
// the classes its path covers, not the pixels. A pixel changes class when a rectangle changes
// its coverage, and classes that reach the same state merge (union-find), so their number
// stays small however many fills there are.
//
// - Pixel: the id of its group, 0 while no rectangle has touched it (it keeps its colour).
// - Group: the pixel's sample masks for each path, and its node (masks decide the coverage
//   when the next rectangle arrives; the node holds what fills depend on). Pixels that a
//   rectangle moves alike share one.
// - Node: colour (raw stored value) and one coverage code per path; its coverage codes never
//   change, its colour changes with fills.
// - Per path ("slot"): the nodes it covers, split into those a fill may change ("active") and
//   those the path's last fill left as they were ("stable": a fill with the same colour and
//   smoothing leaves them again). A node changed by another path's fill becomes active again.
//   Nodes covered by one path only are not listed at all ("lazy", see Slot).
//
// Each fill costs the number of active nodes of its path; each added rectangle costs its
// pixels, with a small cache of recent class moves. A resolver takes at most kSlots paths.
//
// Classes are never freed one by one (too many places refer to them), so once there are
// `classLimit` of them the live ones are copied into fresh tables, equal states made one
// ("compaction"). That keeps memory near the pixel table plus a bounded number of classes,
// for one pass over the pixels each time. Live states are few in practice, so the pixel table
// holds 16-bit group ids; a batch that needs more groups is painted again with 32-bit ones.
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/gdiplus/fill/batch.h"
#include "platform/gdiplus/fill/chain.h"
#include "platform/gdiplus/fill/fill_request.h"
#include "platform/gdiplus/fill/pixel_view.h"
#include "platform/gdiplus/fill/probe_table.h"
#include "platform/gdiplus/fill/step_memo.h"

namespace vantrel::platform::gdiplus::recorded {

// Hot fields first; 52 bytes, so more of the classes stay in cache.
struct Node {
  std::uint32_t raw = 0;
  std::uint32_t codes = 0;  // one CoverageCode per slot, slot s in byte s
  std::uint32_t parent = 0;
  std::uint32_t population = 0;
  std::uint32_t indexedRaw = 0;  // the colour under which the index holds this node
  std::uint32_t baseCount = 0;   // lazy nodes: their slot's fill count when raw was current
  std::uint32_t seenCount = ~0u;  // lazy nodes: the fill count of seenRaw
  std::uint32_t seenRaw = 0;
  std::array<std::int32_t, kSlots> position{-1, -1, -1, -1};
  std::int8_t lazySlot = -1;     // the one slot covering a lazy node
  bool indexed = true;
  bool alive = true;

  CoverageCode Code(int slot) const { return static_cast<CoverageCode>(codes >> (8 * slot)); }
  std::uint64_t Key() const { return std::uint64_t{codes} << 32 | raw; }
};

struct Group {
  std::array<SampleMask, kSlots> masks{};
  std::uint32_t node = kNone;

  bool operator==(const Group&) const = default;
};

struct GroupHash {
  std::uint64_t operator()(const Group& group) const {
    std::uint64_t value = group.node;
    for (const SampleMask mask : group.masks) value = Mix(value * 0x9E3779B97F4A7C15ull + mask);
    return value;
  }
};

struct NodeKeyHash {
  std::uint64_t operator()(std::uint64_t key) const { return Mix(key); }
};

struct Slot {
  const RectList* rects = nullptr;
  const std::vector<RectSpan>* spans = nullptr;
  GpFillMode fillMode = FillModeAlternate;
  // The coverage-code bits this slot's fills read: the grid count when one smooths, the centre
  // when one does not. Classes differing only in other bits behave alike, so they are one.
  CoverageCode codeMask = 0;
  std::size_t applied = 0;  // rectangles already counted in the pixels' masks
  std::vector<std::uint32_t> members;
  std::size_t activeCount = 0;  // members[0, activeCount) are active
  std::uint64_t stableFor = ~std::uint64_t{0};
  std::uint32_t fills = 0;
  // Nodes covered by this slot alone see nothing but its fills, all alike while its colour
  // and smoothing stay: their colour after m fills is the m-th value of a chain, so fills
  // leave them alone ("lazy") and they are read when needed.
  std::uint32_t fillCount = 0;
  std::vector<std::uint32_t> lazy;
  std::unordered_map<std::uint64_t, Chain> chains;
  std::size_t chainValues = 0;
};

// Chains are only remembered work: past this many values they are dropped and recomputed, so
// many distinct colours under slowly settling fills cannot take unbounded memory.
constexpr std::size_t kMaxChainValues = std::size_t{1} << 22;

// Twins are looked for on every kMergeEvery-th fill of a path only: between, a changed node
// keeps a stale index entry, and look-ups check what they find.
constexpr std::uint32_t kMergeEvery = 4;

// A remembered class move: a pixel of group `from` (or untouched with colour `raw`) meeting
// mask `mask` of a slot went to group `to`. Valid while the classes involved keep their colour.
struct Move {
  std::uint32_t from = kNone;
  SampleMask mask = 0;
  std::uint32_t keyRaw = 0;  // the colour of an untouched pixel, else 0
  std::uint8_t slot = 0;
  std::uint32_t raw = 0;     // the colour the pixel had, and keeps, when it moves
  std::uint32_t fromNode = kNone;
  std::uint32_t to = kNone;
  std::uint32_t toNode = kNone;
  std::uint32_t epoch = 0;  // checked in this epoch: from/to nodes are the current roots
};

// Thrown when the groups no longer fit the pixel table's ids.
struct GroupIdsExhausted {};

template <class PixelId>
class Resolver {
  // The largest group id the pixel table can hold (kNone stays free).
  static constexpr std::size_t kMaxGroupId =
      std::min<std::size_t>(std::numeric_limits<PixelId>::max(), kNone - 1);
  // Compaction starts this far below the largest id, so one rectangle's new groups still fit.
  static constexpr std::size_t kGroupHeadroom = kMaxGroupId / 4;

 public:
  // Resolves the rows box.top + stripe, box.top + stripe + stripes, ... of the box.
  Resolver(const PixelView& pixels, const Box& box, std::span<const FillRequest> batch,
           std::span<const PathSpans> paths, int stripe, int stripes, std::size_t classLimit)
      : pixels_(pixels),
        box_(box),
        batch_(batch),
        paths_(paths),
        stripe_(stripe),
        stripes_(stripes),
        firstRow_(box.top + stripe),
        rowCount_(firstRow_ > box.bottom ? 0 : (box.bottom - firstRow_) / stripes + 1),
        classLimit_(std::max<std::size_t>(classLimit, 2)),
        groupOf_(static_cast<std::size_t>(box.Width()) * rowCount_, 0),
        groups_(1),
        moves_(1024) {}

  int SlotFor(const FillRequest& fill) {
    for (int s = 0; s < static_cast<int>(slots_.size()); ++s) {
      if (slots_[s].rects == fill.rects.get() && slots_[s].fillMode == fill.fillMode) return s;
    }
    Slot& slot = slots_.emplace_back();
    slot.rects = fill.rects.get();
    slot.spans = &std::find_if(paths_.begin(), paths_.end(), [&](const PathSpans& path) {
                    return path.rects == slot.rects;
                  })->spans;
    slot.fillMode = fill.fillMode;
    for (const FillRequest& later : batch_) {
      if (later.rects == fill.rects && later.fillMode == fill.fillMode) {
        slot.codeMask |= CodeMaskFor(later.antiAlias);
      }
    }
    return static_cast<int>(slots_.size() - 1);
  }

  // Room for the classes a batch of this many rectangles usually makes (a few per rectangle,
  // and up to a few per pixel): growing would copy them all, unused room is never touched.
  void Reserve(std::size_t rectangles) {
    const std::size_t pixels = groupOf_.size();
    const std::size_t expected =
        std::min({16 * rectangles, 4 * pixels + 1024, classLimit_}) + 16;
    nodes_.reserve(expected);
    groups_.reserve(expected);
  }

  void Run(const FillRequest& fill) {
    const int s = SlotFor(fill);
    AddRectangles(s, fill.rectCount);
    Fill(s, fill.colour, fill.antiAlias);
  }

  // Works out the colour of every group that pixels hold: all the allocating, and all the
  // reading of classes, before Write.
  void PrepareWrite() {
    colours_.assign(groups_.size(), 0);
    std::vector<std::uint8_t> held(groups_.size(), 0);
    for (std::uint32_t last = 0; const std::uint32_t g : groupOf_) {
      if (g != last) held[g] = 1, last = g;
    }
    for (std::size_t g = 1; g < groups_.size(); ++g) {
      if (held[g]) colours_[g] = CurrentRaw(Root(groups_[g].node));
    }
  }

  // Writes this stripe's painted pixels; cannot fail.
  void Write() const {
    const auto width = static_cast<std::size_t>(box_.Width());
    const std::size_t rowBytes = width * BytesPerPixel(pixels_.format);
    bool aboveAllWritten = false;
    for (int r = 0; r < rowCount_; ++r) {
      const int y = firstRow_ + r * stripes_;
      const PixelId* row = groupOf_.data() + static_cast<std::size_t>(r) * width;
      // Rows of a symbol repeat: a row of the same groups as the stripe's row above, all
      // written, is a copy of it.
      if (aboveAllWritten && std::equal(row, row + width, row - width)) {
        std::memcpy(pixels_.At(box_.left, y), pixels_.At(box_.left, y - stripes_), rowBytes);
        continue;
      }
      aboveAllWritten = true;
      for (int x = box_.left; x <= box_.right; ++x) {
        if (const std::uint32_t g = row[x - box_.left]; g != 0) {
          pixels_.Write(x, y, colours_[g]);
        } else {
          aboveAllWritten = false;
        }
      }
    }
  }

 private:
  std::uint32_t Root(std::uint32_t node) {
    std::uint32_t root = node;
    while (nodes_[root].parent != root) root = nodes_[root].parent;
    while (nodes_[node].parent != root) node = std::exchange(nodes_[node].parent, root);
    return root;
  }

  // ---- membership of nodes in the slots' lists ----

  void SwapMembers(int s, std::size_t a, std::size_t b) {
    std::vector<std::uint32_t>& members = slots_[s].members;
    std::swap(members[a], members[b]);
    nodes_[members[a]].position[s] = static_cast<std::int32_t>(a);
    nodes_[members[b]].position[s] = static_cast<std::int32_t>(b);
  }

  void AddActive(int s, std::uint32_t id) {
    Slot& slot = slots_[s];
    slot.members.push_back(id);
    nodes_[id].position[s] = static_cast<std::int32_t>(slot.members.size() - 1);
    SwapMembers(s, slot.members.size() - 1, slot.activeCount);
    ++slot.activeCount;
  }

  void MakeStable(int s, std::uint32_t id) {
    Slot& slot = slots_[s];
    const auto at = static_cast<std::size_t>(nodes_[id].position[s]);
    if (at >= slot.activeCount) return;
    SwapMembers(s, at, slot.activeCount - 1);
    --slot.activeCount;
  }

  void MakeActive(int s, std::uint32_t id) {
    Slot& slot = slots_[s];
    const auto at = static_cast<std::size_t>(nodes_[id].position[s]);
    if (at < slot.activeCount) return;
    SwapMembers(s, at, slot.activeCount);
    ++slot.activeCount;
  }

  void Unlist(std::uint32_t id) {
    for (int s = 0; s < static_cast<int>(slots_.size()); ++s) {
      if (nodes_[id].position[s] < 0) continue;
      MakeStable(s, id);
      Slot& slot = slots_[s];
      SwapMembers(s, static_cast<std::size_t>(nodes_[id].position[s]), slot.members.size() - 1);
      slot.members.pop_back();
      nodes_[id].position[s] = -1;
    }
  }

  // ---- finding or making classes ----

  bool Current(std::uint64_t key, std::uint32_t id) {
    const Node& node = nodes_[id];
    return node.alive && node.parent == id && node.codes == key >> 32 &&
           CurrentRaw(id) == static_cast<std::uint32_t>(key);
  }

  // The colour of a node now.
  std::uint32_t CurrentRaw(std::uint32_t id) {
    const Node& node = nodes_[id];
    if (node.lazySlot < 0) return node.raw;
    Slot& slot = slots_[node.lazySlot];
    const std::uint32_t steps = slot.fillCount - node.baseCount;
    if (steps == 0) return node.raw;
    if (node.seenCount == slot.fillCount) return node.seenRaw;
    const auto colour = static_cast<Premultiplied>(slot.stableFor);
    const int coverage = CoverageFromCode(node.Code(node.lazySlot), (slot.stableFor >> 32) != 0);
    if (coverage == 0) return node.raw;
    if (slot.chainValues > kMaxChainValues) {
      slot.chains.clear();
      slot.chainValues = 0;
    }
    Chain& chain = slot.chains[std::uint64_t{node.Code(node.lazySlot)} << 32 | node.raw];
    const std::uint32_t raw = chain.After(
        node.raw, steps,
        [&](std::uint32_t from) { return FillStep(from, colour, coverage, pixels_.format); },
        slot.chainValues);
    Node& seen = nodes_[id];
    seen.seenCount = slot.fillCount;
    seen.seenRaw = raw;
    return raw;
  }

  std::uint32_t Step(std::uint32_t raw, Premultiplied colour, int coverage) {
    return steps_.Step(raw, colour, coverage);
  }

  // Before a slot's fill changes, its lazy nodes take their colour under the old one.
  void SettleLazy(int s) {
    Slot& slot = slots_[s];
    std::size_t kept = 0;
    for (const std::uint32_t id : slot.lazy) {
      if (!nodes_[id].alive) continue;
      nodes_[id].raw = CurrentRaw(id);
      slot.lazy[kept++] = id;
    }
    slot.lazy.resize(kept);
    for (const std::uint32_t id : slot.lazy) {
      nodes_[id].baseCount = 0;
      nodes_[id].seenCount = ~0u;
    }
    slot.fillCount = 0;
    slot.chains.clear();
    slot.chainValues = 0;
  }

  std::uint64_t IndexedKey(const Node& node) const {
    return std::uint64_t{node.codes} << 32 | node.indexedRaw;
  }

  std::uint32_t NodeFor(std::uint32_t codes, std::uint32_t raw) {
    int covering = 0, only = -1;
    for (int s = 0; s < static_cast<int>(slots_.size()); ++s) {
      if ((codes >> (8 * s)) & 0xFF) ++covering, only = s;
    }
    // Lazy nodes never merge, so looking for a twin would only save a few bytes.
    const std::uint64_t key = std::uint64_t{codes} << 32 | raw;
    if (covering != 1) {
      const std::uint32_t found = nodeIndex_.Find(key);
      if (found != kNone && Current(key, found)) return found;
    }
    const auto id = static_cast<std::uint32_t>(nodes_.size());
    Node& node = nodes_.emplace_back();
    node.raw = raw;
    node.codes = codes;
    node.parent = id;
    node.indexedRaw = raw;
    if (covering == 1) {
      node.indexed = false;
      node.lazySlot = static_cast<std::int8_t>(only);
      node.baseCount = slots_[only].fillCount;
      slots_[only].lazy.push_back(id);
      return id;
    }
    nodeIndex_.Put(key, id);
    for (int s = 0; s < static_cast<int>(slots_.size()); ++s) {
      if (node.Code(s) != 0) AddActive(s, id);
    }
    return id;
  }

  // Groups are not looked up: remembered moves already share them between the pixels of a
  // rectangle, and a duplicate costs only its few bytes.
  std::uint32_t GroupFor(const std::array<SampleMask, kSlots>& masks, std::uint32_t node) {
    if (groups_.size() > kMaxGroupId) throw GroupIdsExhausted{};
    const auto id = static_cast<std::uint32_t>(groups_.size());
    groups_.push_back(Group{masks, node});
    return id;
  }

  // Whether a remembered move still describes what would happen now.
  bool StillValid(const Move& move) {
    if (move.from != 0 && Root(groups_[move.from].node) != move.fromNode) return false;
    if (move.from != 0 && CurrentRaw(move.fromNode) != move.raw) return false;
    const std::uint32_t toRoot = Root(move.toNode);
    return nodes_[toRoot].alive && CurrentRaw(toRoot) == move.raw;
  }

  Move Compute(std::uint32_t from, SampleMask mask, std::uint32_t raw, int s) {
    Move move{from, mask, raw, static_cast<std::uint8_t>(s), raw};
    std::array<SampleMask, kSlots> masks{};
    std::uint32_t codes = 0;
    if (from != 0) {
      move.fromNode = Root(groups_[from].node);
      masks = groups_[from].masks;
      codes = nodes_[move.fromNode].codes;
      move.raw = CurrentRaw(move.fromNode);
    }
    const SampleMask before = masks[s];
    masks[s] = slots_[s].fillMode == FillModeWinding ? before | mask : before ^ mask;
    if (from != 0 && masks[s] == before) {
      move.to = from;
      move.toNode = move.fromNode;
      move.epoch = epoch_;
      return move;
    }
    const CoverageCode code = CodeOf(masks[s]) & slots_[s].codeMask;
    codes = (codes & ~(0xFFu << (8 * s))) | std::uint32_t{code} << (8 * s);
    move.toNode = NodeFor(codes, move.raw);
    move.to = GroupFor(masks, move.toNode);
    move.epoch = epoch_;
    return move;
  }

  // Whether a remembered move is for this pixel and still holds. Within an epoch colours and
  // roots stay; only the target can lose its last pixels and go.
  bool Usable(Move& move, std::uint32_t from, SampleMask mask, std::uint32_t raw, int s) {
    if (move.from != from || move.mask != mask || move.keyRaw != raw || move.slot != s ||
        move.to == kNone) {
      return false;
    }
    if (move.epoch == epoch_) return nodes_[move.toNode].alive;
    if (!StillValid(move)) return false;
    move.toNode = Root(move.toNode);
    move.epoch = epoch_;
    return true;
  }

  // The move of a pixel of group `from` (or untouched with colour `raw`) meeting `mask`.
  // `hint`: the last move made at this place in a rectangle's rows, which the next row's
  // pixel there mostly makes again.
  const Move& MoveFor(Move*& hint, std::uint32_t from, SampleMask mask, std::uint32_t raw,
                      int s) {
    Move* move = hint;
    if (move == nullptr || !Usable(*move, from, mask, raw, s)) {
      const std::size_t slot =
          Mix((std::uint64_t{from} << 32 | mask) * 31 + raw * 7 + static_cast<std::uint64_t>(s)) &
          (moves_.size() - 1);
      move = &moves_[slot];
      if (!Usable(*move, from, mask, raw, s)) *move = Compute(from, mask, raw, s);
      hint = move;
    }
    return *move;
  }

  // Moves the pixels of row y from x to at most `last` that share the first one's class, all
  // meeting `mask`; answers the column after them. Such runs fill rectangles' insides.
  int MoveRun(Move*& hint, int x, int last, int y, std::size_t index, SampleMask mask, int s) {
    const std::uint32_t from = groupOf_[index];
    // Touched pixels are told apart by group, untouched ones by colour.
    const std::uint32_t raw = from == 0 ? pixels_.Read(x, y) : 0;
    int end = x + 1;
    std::size_t at = index + 1;
    if (from != 0) {
      for (; end <= last && groupOf_[at] == from; ++end, ++at) {}
    } else {
      for (; end <= last && groupOf_[at] == 0 && pixels_.Read(end, y) == raw; ++end, ++at) {}
    }
    const Move& move = MoveFor(hint, from, mask, raw, s);
    if (move.to == from) return end;
    const auto count = static_cast<std::size_t>(end - x);
    std::fill_n(groupOf_.begin() + static_cast<std::ptrdiff_t>(index), count,
                static_cast<PixelId>(move.to));
    // Added before taken: the target may be the source's own node.
    const auto moved = static_cast<std::uint32_t>(count);
    nodes_[move.toNode].population += moved;
    if (from != 0 && (nodes_[move.fromNode].population -= moved) == 0) {
      Retire(move.fromNode);
    }
    return end;
  }

  // A node without pixels: out of the lists and the index, so fills and look-ups skip it.
  void Retire(std::uint32_t id) {
    Unlist(id);
    if (nodes_[id].indexed) nodeIndex_.Erase(IndexedKey(nodes_[id]), id);
    nodes_[id].alive = false;
  }

  void AddRectangles(int s, std::size_t count) {
    Slot& slot = slots_[s];
    const std::vector<RectSpan>& spans = *slot.spans;
    for (; slot.applied < count; ++slot.applied) {
      if (nodes_.size() >= classLimit_ ||
          groups_.size() >= std::min(classLimit_, kMaxGroupId - kGroupHeadroom)) {
        Compact();
      }
      const RectSpan& span = spans[slot.applied];
      if (span.Empty()) continue;
      Move* firstHint = nullptr;
      Move* innerHint = nullptr;
      Move* lastHint = nullptr;
      // The span's first row of this stripe: span rows start at or below the box's top.
      const int skip = (stripe_ - (span.rows.first - box_.top) % stripes_ + stripes_) % stripes_;
      for (int y = span.rows.first + skip; y <= span.rows.last; y += stripes_) {
        const AxisBits rowBits = span.rows.BitsAt(y);
        const std::ptrdiff_t rowStart =
            static_cast<std::ptrdiff_t>((y - firstRow_) / stripes_) * box_.Width() - box_.left;
        const int first = span.columns.first, last = span.columns.last;
        MoveEdge(firstHint, first, y, rowStart, MaskAt(span.columns.BitsAt(first), rowBits), s);
        // Between the end columns every pixel meets the same mask.
        if (const SampleMask inner = MaskAt(kAllAxisBits, rowBits); inner != 0) {
          for (int x = first + 1; x < last;) {
            x = MoveRun(innerHint, x, last - 1, y, static_cast<std::size_t>(rowStart + x), inner,
                        s);
          }
        }
        if (last != first) {
          MoveEdge(lastHint, last, y, rowStart, MaskAt(span.columns.BitsAt(last), rowBits), s);
        }
      }
    }
  }

  void MoveEdge(Move*& hint, int x, int y, std::ptrdiff_t rowStart, SampleMask mask, int s) {
    if (mask != 0) MoveRun(hint, x, x, y, static_cast<std::size_t>(rowStart + x), mask, s);
  }

  // ---- compaction ----

  // Replaces the classes by the live ones, one node per state and one group per pixel state.
  // Between rectangles only: nothing but the tables rebuilt here holds a class id then.
  void Compact() {
    std::vector<Node> nodes;
    std::vector<Group> groups(1);
    ProbeTable<std::uint64_t, NodeKeyHash> nodeOfState;
    ProbeTable<Group, GroupHash> groupOfState;
    std::vector<std::uint32_t> newGroup(groups_.size(), kNone);
    newGroup[0] = 0;
    // Runs of one group are common (rectangles' insides), so they are handled whole.
    for (std::size_t i = 0, end = groupOf_.size(); i < end;) {
      const std::uint32_t g = groupOf_[i];
      std::size_t next = i + 1;
      while (next < end && groupOf_[next] == g) ++next;
      if (g != 0) {
        if (newGroup[g] == kNone) {
          newGroup[g] = CompactGroup(g, nodes, groups, nodeOfState, groupOfState);
        }
        const std::uint32_t to = newGroup[g];
        std::fill(groupOf_.begin() + static_cast<std::ptrdiff_t>(i),
                  groupOf_.begin() + static_cast<std::ptrdiff_t>(next), static_cast<PixelId>(to));
        nodes[groups[to].node].population += static_cast<std::uint32_t>(next - i);
      }
      i = next;
    }
    nodes_ = std::move(nodes);
    groups_ = std::move(groups);
    for (Slot& slot : slots_) {
      slot.members.clear();
      slot.activeCount = 0;
      slot.lazy.clear();
    }
    nodeIndex_ = ProbeTable<std::uint64_t, NodeKeyHash>(nodes_.size());
    for (std::uint32_t id = 0; id < nodes_.size(); ++id) {
      Node& node = nodes_[id];
      node.indexedRaw = node.raw;
      node.indexed = node.lazySlot < 0;
      if (node.indexed) nodeIndex_.Put(node.Key(), id);
      if (node.lazySlot >= 0) {
        node.baseCount = slots_[node.lazySlot].fillCount;
        slots_[node.lazySlot].lazy.push_back(id);
        continue;
      }
      // Listed active: a fill that leaves one alone makes it stable again.
      for (int s = 0; s < static_cast<int>(slots_.size()); ++s) {
        if (node.Code(s) != 0) AddActive(s, id);
      }
    }
    std::fill(moves_.begin(), moves_.end(), Move{});
    ++epoch_;
    classLimit_ = std::max(classLimit_, 2 * std::max(nodes_.size(), groups_.size()));
    // Compacting again soon would cost a pass over the pixels for few new groups.
    if (2 * groups_.size() > kMaxGroupId - kGroupHeadroom) throw GroupIdsExhausted{};
    nodes_.reserve(classLimit_ + 16);
    groups_.reserve(classLimit_ + 16);
  }

  std::uint32_t CompactGroup(std::uint32_t g, std::vector<Node>& nodes, std::vector<Group>& groups,
                             ProbeTable<std::uint64_t, NodeKeyHash>& nodeOfState,
                             ProbeTable<Group, GroupHash>& groupOfState) {
    const std::uint32_t root = Root(groups_[g].node);
    const Node& old = nodes_[root];
    const std::uint32_t raw = CurrentRaw(root);
    const std::uint64_t key = std::uint64_t{old.codes} << 32 | raw;
    std::uint32_t node = nodeOfState.Find(key);
    if (node == kNone) {
      node = static_cast<std::uint32_t>(nodes.size());
      Node& fresh = nodes.emplace_back();
      fresh.raw = raw;
      fresh.codes = old.codes;
      fresh.parent = node;
      fresh.lazySlot = old.lazySlot;
      nodeOfState.Put(key, node);
    }
    const Group state{groups_[g].masks, node};
    std::uint32_t group = groupOfState.Find(state);
    if (group == kNone) {
      group = static_cast<std::uint32_t>(groups.size());
      groups.push_back(state);
      groupOfState.Put(state, group);
    }
    return group;
  }

  // ---- one fill ----

  void Fill(int s, Premultiplied colour, bool antiAlias) {
    ++epoch_;  // colours change and classes merge
    Slot& slot = slots_[s];
    const std::uint64_t fillKey = std::uint64_t{colour} | std::uint64_t{antiAlias} << 32;
    if (slot.stableFor != fillKey) {
      SettleLazy(s);
      // What another colour left alone, this one may change.
      slot.activeCount = slot.members.size();
      slot.stableFor = fillKey;
    }
    ++slot.fillCount;
    dead_.clear();
    unchanged_.clear();
    changed_.clear();
    for (std::size_t i = 0; i < slot.activeCount; ++i) {
      const std::uint32_t id = slot.members[i];
      const Node& node = nodes_[id];
      if (node.population == 0) {
        dead_.push_back(id);
        continue;
      }
      const int coverage = CoverageFromCode(node.Code(s), antiAlias);
      const std::uint32_t raw =
          coverage == 0 ? node.raw : Step(node.raw, colour, coverage);
      if (raw == node.raw) {
        unchanged_.push_back(id);
      } else {
        changed_.push_back({id, raw});
      }
    }
    for (const std::uint32_t id : dead_) Retire(id);
    for (const std::uint32_t id : unchanged_) MakeStable(s, id);
    for (const auto& [id, raw] : changed_) nodes_[id].raw = raw;
    const bool merge = slot.fills++ % kMergeEvery == 0;
    for (const auto& [id, raw] : changed_) {
      if (merge && Merged(id)) continue;
      Wake(id, s);
    }
  }

  // Merges a node into a twin of the same state, if there is one, or indexes its state.
  bool Merged(std::uint32_t id) {
    nodeIndex_.Erase(IndexedKey(nodes_[id]), id);
    const std::uint64_t key = nodes_[id].Key();
    const std::uint32_t twin = nodeIndex_.Find(key);
    if (twin != kNone && twin != id && Current(key, twin)) {
      Unlist(id);
      nodes_[twin].population += nodes_[id].population;
      nodes_[id].population = 0;
      nodes_[id].parent = twin;
      nodes_[id].alive = false;
      return true;
    }
    nodeIndex_.Put(key, id);
    nodes_[id].indexedRaw = nodes_[id].raw;
    return false;
  }

  // A node that a fill of slot s changed may change under the other slots' fills again.
  void Wake(std::uint32_t id, int s) {
    for (int t = 0; t < static_cast<int>(slots_.size()); ++t) {
      if (t != s && nodes_[id].position[t] >= 0) MakeActive(t, id);
    }
  }

  const PixelView& pixels_;
  Box box_;
  std::span<const FillRequest> batch_;
  std::span<const PathSpans> paths_;
  int stripe_;
  int stripes_;
  int firstRow_;
  int rowCount_;
  std::vector<std::uint32_t> colours_;  // by group, from PrepareWrite
  std::size_t classLimit_;
  std::vector<PixelId> groupOf_;
  std::vector<Group> groups_;
  std::vector<Node> nodes_;
  std::vector<Slot> slots_;
  ProbeTable<std::uint64_t, NodeKeyHash> nodeIndex_;
  std::vector<Move> moves_;
  StepMemo steps_{pixels_.format};
  std::uint32_t epoch_ = 1;
  std::vector<std::uint32_t> dead_;
  std::vector<std::uint32_t> unchanged_;
  struct Change {
    std::uint32_t id;
    std::uint32_t raw;
  };
  std::vector<Change> changed_;
};

}  // namespace vantrel::platform::gdiplus::recorded
