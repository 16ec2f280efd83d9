#include "tests/support/allocation_meter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace testing_support {
namespace {

std::atomic<std::size_t> held{0};
std::atomic<std::size_t> peak{0};
std::atomic<std::size_t> start{0};

// Counted by what the block really occupies, the same on the way in and out.
void* Take(std::size_t bytes) {
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  if (block == nullptr) return nullptr;
  const std::size_t now = held += malloc_usable_size(block);
  std::size_t highest = peak.load();
  while (now > highest && !peak.compare_exchange_weak(highest, now)) {
  }
  return block;
}

void Give(void* block) {
  if (block == nullptr) return;
  held -= malloc_usable_size(block);
  std::free(block);
}

}  // namespace

std::size_t AllocatedBytes() {
  return held.load();
}

void ResetAllocationPeak() {
  start = held.load();
  peak = start.load();
}

std::size_t AllocationPeakAboveStart() {
  return peak.load() - start.load();
}

}  // namespace testing_support

void* operator new(std::size_t bytes) {
  if (void* block = testing_support::Take(bytes)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t bytes) {
  return operator new(bytes);
}
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  return testing_support::Take(bytes);
}
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept {
  return testing_support::Take(bytes);
}
void operator delete(void* block) noexcept {
  testing_support::Give(block);
}
void operator delete[](void* block) noexcept {
  testing_support::Give(block);
}
void operator delete(void* block, std::size_t) noexcept {
  testing_support::Give(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  testing_support::Give(block);
}
