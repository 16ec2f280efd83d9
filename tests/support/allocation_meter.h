// How much memory the program holds through new and delete, and the most it
// held since the meter was last set: for tests of how much an operation takes.
// Linked only into a test executable of its own, since it takes the place of
// the global operator new and delete of every test in it.
#pragma once

#include <cstddef>

namespace testing_support {

// Bytes held now.
std::size_t AllocatedBytes();
// Starts a new measurement: the peak becomes what is held now.
void ResetAllocationPeak();
// The most held at one time since ResetAllocationPeak, above what was held then.
std::size_t AllocationPeakAboveStart();

}  // namespace testing_support
