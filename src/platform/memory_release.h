#pragma once

namespace sumiplex::platform {

/// Buffers of 128 KiB and more (the tape's text, its entries, the totals) are taken from
/// the system and given back when freed. Left to the allocator's own choice, a buffer that
/// grew by copying leaves its smaller predecessors in the heap, resident for the rest of a
/// day-long run. Call once, first thing in main.
void giveLargeBuffersBack();

} // namespace sumiplex::platform
