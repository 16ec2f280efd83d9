// Large blocks asked for before they are made: a std::vector that cannot
// get its memory throws, and this program has no handler for it, so a
// reader of outside data that is about to make one of many megabytes asks
// here first and refuses the file instead of ending the program.
#pragma once

#include <cstddef>

namespace crt {

// Whether a block of `bytes` can be had now: one is taken and given back at
// once. Nothing else runs in between on this thread, so the block that the
// caller makes next finds the same room.
bool MemoryAvailable(std::size_t bytes);

}  // namespace crt
