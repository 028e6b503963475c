#include "common/large_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// Small and large blocks hold what is written to them; a large block starts
// on a 2 MiB boundary (the mapping is trimmed to one) and a vector grows
// across the threshold keeping its elements.
TEST(LargeBlock, BlocksOnBothSidesOfTheThresholdHoldTheirData) {
  constexpr size_t at_threshold = large_block_threshold / sizeof(uint64_t);
  for (size_t count : {size_t{1}, size_t{1000}, at_threshold - 1, at_threshold, size_t{3'000'001}}) {
    SCOPED_TRACE(count);
    std::vector<uint64_t, large_block_allocator<uint64_t>> v;
    v.reserve(count);
    if (count * sizeof(uint64_t) >= large_block_threshold) {
      EXPECT_EQ(reinterpret_cast<uintptr_t>(v.data()) % (2u << 20), 0u);
    }
    for (size_t i = 0; i < count; ++i) v.push_back(i * 7);
    v.push_back(1);  // grows into a new block: the old one is freed
    for (size_t i = 0; i < count; ++i) ASSERT_EQ(v[i], i * 7);
    EXPECT_EQ(v.back(), 1u);
  }
}
