#include <gtest/gtest.h>

#include <cstring>
#include <windows.h>

namespace {

TEST(HostHeap, AllocationAndReallocation) {
  for (DWORD options : {0u, static_cast<DWORD>(HEAP_NO_SERIALIZE)}) {
    HANDLE heap = HeapCreate(options, 4096, 0);
    ASSERT_NE(heap, nullptr);
    unsigned char *zeroed = static_cast<unsigned char *>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 100));
    ASSERT_NE(zeroed, nullptr);
    for (int i = 0; i < 100; i++) {
      ASSERT_EQ(zeroed[i], 0) << i;
    }
    std::memset(zeroed, 7, 100);
    zeroed = static_cast<unsigned char *>(HeapReAlloc(heap, HEAP_ZERO_MEMORY, zeroed, 100000));
    ASSERT_NE(zeroed, nullptr);
    EXPECT_EQ(zeroed[99], 7);
    EXPECT_EQ(zeroed[100], 0);
    EXPECT_EQ(zeroed[99999], 0);
    EXPECT_EQ(HeapSize(heap, 0, zeroed), 100000u);
    zeroed = static_cast<unsigned char *>(HeapReAlloc(heap, 0, zeroed, 10));
    EXPECT_EQ(zeroed[9], 7);

    char *plain = static_cast<char *>(HeapAlloc(heap, 0, 0));
    EXPECT_NE(plain, nullptr);
    EXPECT_TRUE(HeapFree(heap, 0, plain));
    EXPECT_TRUE(HeapFree(heap, 0, nullptr));
    EXPECT_EQ(HeapReAlloc(heap, 0, nullptr, 10), nullptr);
    // Blocks still allocated go with the heap (the leak checker would see them).
    for (int i = 0; i < 50; i++) {
      HeapAlloc(heap, 0, 64);
    }
    EXPECT_TRUE(HeapDestroy(heap));
  }
}

TEST(HostHeap, FixedSizeHeapRefusesBeyondItsMaximum) {
  HANDLE heap = HeapCreate(0, 0, 1000);
  void *first = HeapAlloc(heap, 0, 600);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(HeapAlloc(heap, 0, 600), nullptr);
  EXPECT_EQ(HeapReAlloc(heap, 0, first, 1200), nullptr);
  EXPECT_NE(HeapAlloc(heap, 0, 400), nullptr);
  HeapFree(heap, 0, first);
  EXPECT_NE(HeapAlloc(heap, 0, 600), nullptr);
  EXPECT_EQ(HeapAlloc(heap, 0, static_cast<SIZE_T>(-1)), nullptr);
  HeapDestroy(heap);
  EXPECT_EQ(HeapCreate(0, 2000, 1000), nullptr);
}

} // namespace
