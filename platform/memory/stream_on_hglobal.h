#pragma once
// COM streams over global memory blocks, in the shape of the ole32 calls.
//
// The stream's size is the block's size: writing past the end grows the block, and
// GetHGlobalFromStream hands out the block itself, so GlobalSize after the writes tells how
// many bytes were written. Streams and blocks are checked: a freed block makes the stream's
// calls fail; a stream pointer that is not a live stream of ours makes GetHGlobalFromStream
// fail instead of being dereferenced. Sizes and positions stay within kMaxGlobalBytes.
#include "platform/com/stream.h"
#include "platform/memory/global_memory.h"

namespace vantrel::platform {

// A new stream (one reference) at position 0 over `memory`, or over a new empty movable
// block when `memory` is null. With deleteOnRelease the block is freed with the last
// reference. E_INVALIDARG for a bad handle or a null `stream`, E_OUTOFMEMORY when no memory.
HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, IStream** stream);

// The block under a stream made by CreateStreamOnHGlobal; E_INVALIDARG for any other pointer.
HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* memory);

}  // namespace vantrel::platform
