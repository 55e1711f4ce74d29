#include <gtest/gtest.h>

#include <vector>

#include "tests/support/heap_use.h"
#include "tests/support/scoped_value.h"
#include "toolkit/core/heap_list.h"
#include "toolkit/core/library_state.h"
#include "toolkit/core/program_heap.h"

namespace {

std::vector<int32_t> NewestToOldest(const HeapList &list) {
  std::vector<int32_t> values;
  for (void *payload = HeapListNewest(&list); payload; payload = HeapListOlder(payload)) {
    values.push_back(*static_cast<int32_t *>(payload));
  }
  return values;
}

void *Add(HeapList &list, int32_t value) {
  int32_t *payload = static_cast<int32_t *>(HeapListAdd(&list, 64));
  EXPECT_EQ(payload[15], 0); // zero-filled
  *payload = value;
  return payload;
}

TEST(HeapList, AddAndRemoveKeepBothLinks) {
  SIZE_T heapUse = HeapBytesInUse(ProgramHeap);
  HeapList list = {nullptr};
  EXPECT_EQ(HeapListNewest(&list), nullptr);
  void *first = Add(list, 1);
  void *second = Add(list, 2);
  void *third = Add(list, 3);
  EXPECT_EQ(NewestToOldest(list), std::vector<int32_t>({3, 2, 1}));

  HeapListRemove(&list, second);
  EXPECT_EQ(NewestToOldest(list), std::vector<int32_t>({3, 1}));
  // The newer link of the oldest node points back at the newest.
  void **firstLinks = static_cast<void **>(first) - 2;
  EXPECT_EQ(firstLinks[1], static_cast<void **>(third) - 2);

  HeapListRemove(&list, third);
  EXPECT_EQ(NewestToOldest(list), std::vector<int32_t>({1}));
  EXPECT_EQ(firstLinks[1], nullptr);
  HeapListRemove(&list, first);
  EXPECT_EQ(list.head, nullptr);

  // A walker that removes where it stands reads the older link first.
  for (int32_t value = 0; value < 5; value++) {
    Add(list, value);
  }
  for (void *payload = HeapListNewest(&list); payload;) {
    void *older = HeapListOlder(payload);
    HeapListRemove(&list, payload);
    payload = older;
  }
  EXPECT_EQ(list.head, nullptr);
  // Every node went back to the heap.
  EXPECT_EQ(HeapBytesInUse(ProgramHeap), heapUse);
}

// A negative size is refused; a zero size is an empty payload, still a node.
TEST(HeapList, PayloadAndStateSizes) {
  struct Case {
    int32_t size;
    bool given;
  } cases[] = {{-1, false}, {0, true}, {1, true}};
  for (const Case &c : cases) {
    HeapList list = {nullptr};
    void *payload = HeapListAdd(&list, c.size);
    EXPECT_EQ(payload != nullptr, c.given) << c.size;
    EXPECT_EQ(HeapListNewest(&list), payload);
    if (payload) {
      HeapListRemove(&list, payload);
    }
    void *state = LibraryStateCreate(c.size, nullptr);
    EXPECT_EQ(state != nullptr, c.given) << c.size;
    if (state) {
      HeapFree(ProgramHeap, 0, state);
    }
  }
}

TEST(ProgramHeap, CreationReportsTheHeap) {
  ScopedValue<HANDLE> saved(ProgramHeap, nullptr);
  EXPECT_TRUE(ProgramHeapCreate());
  EXPECT_NE(ProgramHeap, nullptr);
  HeapDestroy(ProgramHeap);
}

int initialiserRuns;

TEST(LibraryState, ZeroFilledAndInitialisedOnce) {
  initialiserRuns = 0;
  int32_t *record = static_cast<int32_t *>(LibraryStateCreate(32, [](void *state) {
    initialiserRuns++;
    EXPECT_EQ(static_cast<int32_t *>(state)[7], 0);
    static_cast<int32_t *>(state)[0] = 9;
  }));
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(initialiserRuns, 1);
  EXPECT_EQ(record[0], 9);
  EXPECT_EQ(LibraryStateGet(record), record);
  int32_t *plain = static_cast<int32_t *>(LibraryStateCreate(8, nullptr));
  EXPECT_EQ(plain[1], 0);
}

} // namespace
