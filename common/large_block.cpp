#include "common/large_block.h"

#include <sys/mman.h>

#include <cstdint>

namespace {

constexpr size_t kHugePage = size_t{2} << 20;

size_t mapped_size(size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }

}  // namespace

void* large_block_allocate(size_t bytes) {
  if (bytes < large_block_threshold) return ::operator new(bytes);
  const size_t size = mapped_size(bytes);
  // Mapped with a page's slack, then trimmed to a 2 MiB boundary on both sides.
  void* raw = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = (start + kHugePage - 1) & ~(uintptr_t{kHugePage} - 1);
  if (aligned > start) ::munmap(raw, aligned - start);
  const uintptr_t end = start + size + kHugePage;
  if (end > aligned + size) ::munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
#ifdef MADV_HUGEPAGE
  ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);  // a hint: refused, the block still works
#endif
  return reinterpret_cast<void*>(aligned);
}

void large_block_free(void* p, size_t bytes) {
  if (!p) return;
  if (bytes < large_block_threshold) {
    ::operator delete(p);
    return;
  }
  ::munmap(p, mapped_size(bytes));
}
