// Painting recorded fills without repainting every rectangle of a path at every fill: the
// pixel timelines of timeline_resolver.h or the pixel classes of class_resolver.h do the work.
//
// Paths past kSlots in one run of fills are painted in consecutive batches, each batch
// starting from the painted pixels.
//
// Pixels never affect one another, so a batch is split into interleaved row stripes (row y
// belongs to stripe y mod n), each resolved on its own thread with its own classes; every
// stripe takes its share of each rectangle, so the work stays even however the picture is
// painted. Nothing is written until every stripe has resolved.
#include "platform/gdiplus/fill/recorded_fill.h"

#include <algorithm>
#include <exception>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/gdiplus/fill/class_resolver.h"
#include "platform/gdiplus/fill/eager_fill.h"
#include "platform/gdiplus/fill/timeline_resolver.h"

namespace vantrel::platform::gdiplus {
namespace {

using recorded::GroupIdsExhausted;
using recorded::Resolver;

// How many fills from `begin` share at most kSlots distinct paths.
std::size_t BatchEnd(std::span<const FillRequest> fills, std::size_t begin) {
  std::vector<std::pair<const RectList*, GpFillMode>> seen;
  std::size_t end = begin;
  for (; end < fills.size(); ++end) {
    const auto slot = std::make_pair(fills[end].rects.get(), fills[end].fillMode);
    if (std::find(seen.begin(), seen.end(), slot) != seen.end()) continue;
    if (seen.size() == kSlots) break;
    seen.push_back(slot);
  }
  return end;
}

// The spans of each path's rectangles up to its last fill's count, and the box they touch.
Box SpansOf(const PixelView& pixels, std::span<const FillRequest> fills,
            std::vector<PathSpans>& paths) {
  std::vector<std::size_t> counts;
  for (const FillRequest& fill : fills) {
    auto found = std::find_if(paths.begin(), paths.end(),
                              [&](const PathSpans& path) { return path.rects == fill.rects.get(); });
    if (found == paths.end()) {
      paths.push_back({fill.rects.get(), {}});
      counts.push_back(fill.rectCount);
    } else {
      std::size_t& count = counts[static_cast<std::size_t>(found - paths.begin())];
      count = std::max(count, fill.rectCount);
    }
  }
  Box box{pixels.width, pixels.height, -1, -1};
  for (std::size_t p = 0; p < paths.size(); ++p) {
    const RectList& rects = *paths[p].rects;
    std::vector<RectSpan>& spans = paths[p].spans;
    spans.reserve(counts[p]);
    for (std::size_t i = 0; i < counts[p]; ++i) {
      const RectSpan& span = spans.emplace_back(SpanOfRect(rects[i], pixels.width, pixels.height));
      if (span.Empty()) continue;
      box.left = std::min(box.left, span.columns.first);
      box.right = std::max(box.right, span.columns.last);
      box.top = std::min(box.top, span.rows.first);
      box.bottom = std::max(box.bottom, span.rows.last);
    }
  }
  return box;
}

// What every stripe of a batch reads.
struct Job {
  const PixelView& pixels;
  Box box;
  std::span<const PathSpans> paths;  // none with a plan
  std::span<const FillRequest> batch;
  const timeline::Plan* plan;  // none: the classes resolve it
  int stripes;
  std::size_t classLimit;  // each stripe's
  timeline::StepBudget steps;
};

// One stripe of a batch, resolved by timelines where the job has a plan and they keep within
// their budget, else by classes with 16-bit group ids, or 32-bit ones when those run out.
class Stripe {
 public:
  // Throws std::bad_alloc; touches no pixel.
  void Resolve(const Job& job, int stripe) {
    if (job.plan != nullptr) {
      try {
        timeline_.emplace(job.pixels, job.box, *job.plan, stripe, job.stripes, job.steps);
        timeline_->Resolve();
        return;
      } catch (const timeline::OverBudget&) {
        timeline_.reset();
      }
    }
    std::span<const PathSpans> paths = job.paths;
    if (paths.empty()) {
      SpansOf(job.pixels, job.batch, ownPaths_);
      paths = ownPaths_;
    }
    try {
      Run(narrow_, job, paths, stripe);
    } catch (const GroupIdsExhausted&) {
      narrow_.reset();
      Run(wide_, job, paths, stripe);
    }
  }

  void Write() const {
    if (timeline_) timeline_->Write();
    if (narrow_) narrow_->Write();
    if (wide_) wide_->Write();
  }

 private:
  template <class PixelId>
  static void Run(std::optional<Resolver<PixelId>>& resolver, const Job& job,
                  std::span<const PathSpans> paths, int stripe) {
    resolver.emplace(job.pixels, job.box, job.batch, paths, stripe, job.stripes, job.classLimit);
    resolver->Reserve(job.batch.back().rectCount + job.batch.size());
    for (const FillRequest& fill : job.batch) resolver->Run(fill);
    resolver->PrepareWrite();
  }

  std::optional<timeline::Resolver> timeline_;
  std::vector<PathSpans> ownPaths_;  // for the classes after a timeline gave up
  std::optional<Resolver<std::uint16_t>> narrow_;
  std::optional<Resolver<std::uint32_t>> wide_;
};

// As many stripes as there are cores, where the batch is large enough to pay for a thread.
int StripesFor(const Box& box, std::size_t fills, int asked) {
  if (asked > 0) return std::min(asked, std::max(box.Height(), 1));
  if (fills < 64 || box.Height() < 64) return 1;
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

// Runs work(0), ..., work(count - 1) side by side: work(0) on this thread, each other on a
// thread of its own, or on this one when none can be had. `work` must not throw.
template <class Work>
void SideBySide(std::size_t count, const Work& work) {
  std::vector<std::thread> threads;
  threads.reserve(count);  // no allocation may fail once a thread runs
  for (std::size_t k = 1; k < count; ++k) {
    try {
      threads.emplace_back(work, k);
    } catch (const std::system_error&) {
      work(k);
    }
  }
  work(0);
  for (std::thread& thread : threads) thread.join();
}

// Places a plan's rectangles, on as many threads as a large batch's stripes would use
// (`asked`, when given).
void Place(timeline::Plan& plan, const PixelView& pixels, int asked) {
  std::size_t parts = 1;
  if (asked > 0) {
    parts = static_cast<std::size_t>(asked);
  } else if (plan.Rectangles() >= 8192) {
    parts = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
  }
  std::vector<timeline::Plan::Placement> placements(parts);
  SideBySide(parts, [&](std::size_t k) {
    placements[k] = plan.Place(k, parts, pixels.width, pixels.height);
  });
  plan.Placed(placements);
}

// Resolves every stripe, one on this thread and the rest on their own, then writes them all.
// Throws std::bad_alloc with the pixels untouched.
void PaintBatch(const Job& job) {
  std::vector<Stripe> parts(static_cast<std::size_t>(job.stripes));
  std::vector<std::exception_ptr> failures(parts.size());
  SideBySide(parts.size(), [&](std::size_t k) {
    try {
      parts[k].Resolve(job, static_cast<int>(k));
    } catch (...) {
      failures[k] = std::current_exception();
    }
  });
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  for (const Stripe& part : parts) part.Write();
}

}  // namespace

void PaintRecordedFills(const PixelView& pixels, std::span<const FillRequest> fills,
                        const RecordedFillOptions& options) {
  for (std::size_t begin = 0; begin < fills.size();) {
    const std::size_t end = BatchEnd(fills, begin);
    const std::span<const FillRequest> batch = fills.subspan(begin, end - begin);
    begin = end;
    try {
      std::optional<timeline::Plan> plan;
      std::vector<PathSpans> paths;
      Box box;
      if (options.resolver != FillResolver::Classes) {
        plan.emplace(batch);
        Place(*plan, pixels, options.stripes);
        box = plan->Touched();
        if (options.resolver == FillResolver::Automatic && !plan->Suits()) plan.reset();
      }
      if (!plan) box = SpansOf(pixels, batch, paths);
      if (box.Empty()) continue;
      const int stripes = StripesFor(box, batch.size(), options.stripes);
      // The stripes share the class limit: together they keep no more classes than one would.
      PaintBatch({pixels, box, paths, batch, plan ? &*plan : nullptr, stripes,
                  options.classLimit / static_cast<std::size_t>(stripes),
                  {options.stepsPerItem, options.stepAllowance}});
    } catch (const std::bad_alloc&) {
      // Painting one fill at a time needs far less memory.
      for (const FillRequest& fill : batch) FillEagerly(pixels, fill);
    }
  }
}

}  // namespace vantrel::platform::gdiplus
