#include "platform/gdiplus/objects/handle_table.h"

#include <utility>

namespace vantrel::platform::gdiplus {
namespace {

// Handles keep the slot index in the low half, plus an offset so that small integers never
// name an object, and the slot's generation in the high half.
constexpr std::uint64_t kIndexOffset = 0x1000;

std::uint64_t IndexOf(ULONG_PTR handle) { return (handle & 0xFFFFFFFFu) - kIndexOffset; }
std::uint32_t GenerationOf(ULONG_PTR handle) { return static_cast<std::uint32_t>(handle >> 32); }

}  // namespace

ULONG_PTR HandleTable::Insert(Object object) {
  auto stored = std::make_unique<Object>(std::move(object));
  std::uint32_t index;
  if (!free_.empty()) {
    index = free_.back();
  } else {
    slots_.emplace_back();
    index = static_cast<std::uint32_t>(slots_.size() - 1);
  }
  Slot& slot = slots_[index];
  slot.object = std::move(stored);
  if (!free_.empty() && free_.back() == index) free_.pop_back();
  ++live_;
  return (ULONG_PTR{slot.generation} << 32) | (index + kIndexOffset);
}

Object* HandleTable::Lookup(ULONG_PTR handle) {
  const std::uint64_t index = IndexOf(handle);
  if (index >= slots_.size()) return nullptr;
  Slot& slot = slots_[index];
  if (slot.generation != GenerationOf(handle) || !slot.object) return nullptr;
  return slot.object.get();
}

void HandleTable::Release(ULONG_PTR handle) {
  const auto index = static_cast<std::uint32_t>(IndexOf(handle));
  Slot& slot = slots_[index];
  std::unique_ptr<Object> gone = std::move(slot.object);
  // Generation 0 is never handed out, so a wrapped-around counter skips it.
  if (++slot.generation == 0) slot.generation = 1;
  free_.push_back(index);
  --live_;
}

void HandleTable::Clear() {
  for (std::uint32_t index = 0; index < slots_.size(); ++index) {
    Slot& slot = slots_[index];
    if (!slot.object) continue;
    slot.object.reset();
    if (++slot.generation == 0) slot.generation = 1;
    free_.push_back(index);
  }
  live_ = 0;
}

}  // namespace vantrel::platform::gdiplus
