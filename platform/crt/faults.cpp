#include "platform/crt/faults.h"

namespace crt::faults {
namespace {
int writesUntilFailure = 0;
bool renameFails = false;
int allocationsUntilFailure = 0;
}  // namespace

void FailWriteNumber(int n) { writesUntilFailure = n > 0 ? n : 0; }

void FailNextRename() { renameFails = true; }

void FailAllocationNumber(int n) { allocationsUntilFailure = n > 0 ? n : 0; }

void Reset() {
  writesUntilFailure = 0;
  renameFails = false;
  allocationsUntilFailure = 0;
}

bool TakeWriteFailure() {
  if (writesUntilFailure == 0) return false;
  return --writesUntilFailure == 0;
}

bool TakeRenameFailure() {
  const bool fails = renameFails;
  renameFails = false;
  return fails;
}

bool TakeAllocationFailure() {
  if (allocationsUntilFailure == 0) return false;
  return --allocationsUntilFailure == 0;
}

}  // namespace crt::faults
