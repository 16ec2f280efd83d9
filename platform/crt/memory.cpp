#include "platform/crt/memory.h"

#include <cstdlib>

#include "platform/crt/faults.h"

namespace crt {

bool MemoryAvailable(std::size_t bytes) {
  if (faults::TakeAllocationFailure()) return false;
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  if (block == nullptr) return false;
  std::free(block);
  return true;
}

}  // namespace crt
