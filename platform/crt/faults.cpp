#include "platform/crt/faults.h"

namespace crt::faults {
namespace {
int writesUntilFailure = 0;
bool renameFails = false;
}  // namespace

void FailWriteNumber(int n) { writesUntilFailure = n > 0 ? n : 0; }

void FailNextRename() { renameFails = true; }

void Reset() {
  writesUntilFailure = 0;
  renameFails = false;
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

}  // namespace crt::faults
