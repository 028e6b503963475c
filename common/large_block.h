// Memory for large tables: the text of a list document, sort keys of a whole
// document.
//
// A block of 256 KiB or more is mapped on its own and asked to be backed by
// 2 MiB pages, so that filling a table of a million records costs a dozen
// page faults instead of thousands (past 256 KiB one large page costs less
// than the small ones it replaces); smaller blocks come from operator new.
#pragma once

#include <cstddef>
#include <new>

// The smallest block that is mapped on its own.
inline constexpr size_t large_block_threshold = size_t{256} << 10;

void* large_block_allocate(size_t bytes);
void large_block_free(void* p, size_t bytes);

template <class T>
struct large_block_allocator {
  using value_type = T;
  large_block_allocator() = default;
  template <class U>
  large_block_allocator(const large_block_allocator<U>&) {}
  T* allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(large_block_allocate(n * sizeof(T)));
  }
  void deallocate(T* p, size_t n) { large_block_free(p, n * sizeof(T)); }
  template <class U>
  bool operator==(const large_block_allocator<U>&) const {
    return true;
  }
};
