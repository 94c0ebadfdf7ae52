#include "platform/heap_pages.h"

#include <cstdint>
#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tarnwick {

#if defined(__linux__) && defined(__GLIBC__)

void PreferLargeHeapPages() {
  // More than the largest model the record numbers allow (65,535 Areas and Locations), so that
  // the heap never grows past the advised range.
  constexpr size_t kReserve = size_t{64} << 20;
  constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
  // The heap grows in steps of the reserve (address space only: pages are given on first
  // touch), and large blocks come from it too instead of from mappings of their own, so that the
  // model lies in one range whose large pages can be filled.
  if (mallopt(M_TOP_PAD, static_cast<int>(kReserve)) == 0) return;
  // 32 MB is the largest threshold every 64-bit glibc takes.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  const uintptr_t end_before = reinterpret_cast<uintptr_t>(sbrk(0));
  // A block larger than the heap's free top makes it grow now, by the block and the reserve;
  // freeing it keeps the reserve.
  void* volatile grow = std::malloc(1 << 20);
  std::free(grow);
  const uintptr_t end = reinterpret_cast<uintptr_t>(sbrk(0));
  const uintptr_t from = end_before & ~(kLargePage - 1);
  if (end <= from) return;
  // A start before the heap is refused for that part only; the heap's own pages are advised.
  madvise(reinterpret_cast<void*>(from), end - from, MADV_HUGEPAGE);
}

#else

void PreferLargeHeapPages() {}

#endif

}  // namespace tarnwick
