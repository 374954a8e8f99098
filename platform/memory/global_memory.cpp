#include "platform/memory/global_memory.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

namespace vantrel::platform {
namespace {

struct Block {
  std::vector<std::uint8_t> bytes;
  std::uint32_t locks = 0;
};

// The process heap of global blocks. Handle numbers only grow, so a freed handle stays unknown.
class BlockTable {
 public:
  std::mutex mutex;

  Block* Find(HGLOBAL memory) {
    auto found = blocks_.find(reinterpret_cast<std::uintptr_t>(memory));
    return found == blocks_.end() ? nullptr : &found->second;
  }
  HGLOBAL Add(Block block) {
    // Steps of 16 keep handles looking unlike small integers and odd addresses alike.
    next_ += 16;
    blocks_.emplace(next_, std::move(block));
    return reinterpret_cast<HGLOBAL>(next_);
  }
  void Remove(HGLOBAL memory) { blocks_.erase(reinterpret_cast<std::uintptr_t>(memory)); }

 private:
  std::unordered_map<std::uintptr_t, Block> blocks_;
  std::uintptr_t next_ = 0x10000;
};

BlockTable& Table() {
  static BlockTable table;
  return table;
}

constexpr std::uint32_t kKnownFlags = GMEM_MOVEABLE | GMEM_ZEROINIT;

}  // namespace

HGLOBAL GlobalAlloc(std::uint32_t flags, SIZE_T bytes) {
  if ((flags & ~kKnownFlags) != 0 || bytes > kMaxGlobalBytes) return nullptr;
  try {
    Block block;
    block.bytes.resize(bytes);
    std::lock_guard lock(Table().mutex);
    return Table().Add(std::move(block));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void* GlobalLock(HGLOBAL memory) {
  std::lock_guard lock(Table().mutex);
  Block* block = Table().Find(memory);
  if (block == nullptr || block->bytes.empty()) return nullptr;
  ++block->locks;
  return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL memory) {
  std::lock_guard lock(Table().mutex);
  Block* block = Table().Find(memory);
  if (block == nullptr || block->locks == 0) return 0;
  --block->locks;
  return block->locks > 0 ? 1 : 0;
}

SIZE_T GlobalSize(HGLOBAL memory) {
  std::lock_guard lock(Table().mutex);
  Block* block = Table().Find(memory);
  return block == nullptr ? 0 : block->bytes.size();
}

std::uint32_t GlobalFlags(HGLOBAL memory) {
  std::lock_guard lock(Table().mutex);
  Block* block = Table().Find(memory);
  return block == nullptr ? GMEM_INVALID_HANDLE : std::min<std::uint32_t>(block->locks, 0xFF);
}

HGLOBAL GlobalFree(HGLOBAL memory) {
  std::lock_guard lock(Table().mutex);
  Block* block = Table().Find(memory);
  if (block == nullptr || block->locks > 0) return memory;
  Table().Remove(memory);
  return nullptr;
}

HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, std::uint32_t flags) {
  if ((flags & ~kKnownFlags) != 0 || bytes > kMaxGlobalBytes) return nullptr;
  std::lock_guard lock(Table().mutex);
  Block* block = Table().Find(memory);
  if (block == nullptr || block->locks > 0) return nullptr;
  try {
    // std::vector grows its capacity geometrically, so a stream growing by small writes
    // costs amortized constant time per byte.
    block->bytes.resize(bytes);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return memory;
}

}  // namespace vantrel::platform
