// Failures on demand, for tests: a disk that fills up at the n-th write, a
// rename that is refused, memory that runs out. Product code never arms them.
#pragma once

namespace crt::faults {

// The n-th write to a file from now on (1 is the next one) fails as if the
// disk were full. 0 disarms.
void FailWriteNumber(int n);
// The next rename of a file fails.
void FailNextRename();
// The n-th large block asked for from now on (crt::MemoryAvailable; 1 is
// the next one) is not there. 0 disarms.
void FailAllocationNumber(int n);
void Reset();

// For the runtime itself: whether the write or rename about to happen fails.
bool TakeWriteFailure();
bool TakeRenameFailure();
bool TakeAllocationFailure();

}  // namespace crt::faults
