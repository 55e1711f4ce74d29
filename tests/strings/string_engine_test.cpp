#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/scoped_value.h"

#include "toolkit/strings/string_engine.h"
#include "toolkit/strings/string_functions.h"

namespace {

// Tests that count on the initial capacity start the engine afresh, and leave
// a fresh one behind, whatever heap they put in place.
class FreshStringEngine : public testing::Test {
protected:
  void SetUp() override {
    HeapDestroy(StringHeap);
    StringEngineInit();
  }
  void TearDown() override { SetUp(); }
};

TEST(StringVariables, EmptyNullAndReuse) {
  StringVar taken = nullptr;
  int32_t pos = ScratchPos;
  StrAppendScratch("");
  StrTakeScratch(&taken, pos);
  ASSERT_NE(taken, nullptr); // an allocated empty text
  EXPECT_EQ(StrEqual(taken, ""), 1);
  EXPECT_EQ(StrEqual(taken, nullptr), 1);
  EXPECT_EQ(StrEqual(nullptr, ""), 1);
  EXPECT_EQ(StrEqual("abc", "abC"), 0);
  EXPECT_EQ(StrEqual("abc", "ab"), 0);

  StrAssign(&taken, "hello");
  EXPECT_STREQ(taken, "hello");
  EXPECT_EQ(HeapSize(StringHeap, HEAP_NO_SERIALIZE, taken), 5u + 5u);
  // Its own text, a tail of it, its empty end: the block may move meanwhile.
  StrAssign(&taken, taken);
  EXPECT_STREQ(taken, "hello");
  StrAssign(&taken, taken + 2);
  EXPECT_STREQ(taken, "llo");
  StrAssign(&taken, taken + 3);
  EXPECT_STREQ(taken, "");
  StrAssign(&taken, nullptr);
  EXPECT_EQ(taken, nullptr);

  StringVar fresh = nullptr;
  StrInit(&fresh, nullptr);
  EXPECT_EQ(fresh, nullptr);
  StrInit(&fresh, "x");
  EXPECT_STREQ(fresh, "x");
  StrFree(fresh);
  StrFree(nullptr);
}

TEST_F(FreshStringEngine, GrowthFigures) {
  EXPECT_EQ(ScratchCapacity, 16);
  EXPECT_EQ(HeapSize(StringHeap, HEAP_NO_SERIALIZE, ScratchBuffer), 16u);
  // Growth is decided on the larger of ScratchPos and pos.
  struct Case {
    int32_t scratchPos, pos, length, capacity;
  };
  const Case cases[] = {{0, 0, 11, 16}, {0, 8, 4, 16396}, {8, 0, 4, 16396}, {0, 0, 12, 16396}};
  for (const Case &c : cases) {
    HeapDestroy(StringHeap);
    StringEngineInit();
    ScratchPos = c.scratchPos;
    ScratchReserve(c.length, c.pos);
    EXPECT_EQ(ScratchCapacity, c.capacity) << c.scratchPos << " " << c.pos << " " << c.length;
    EXPECT_EQ(ScratchPos, c.pos + c.length);
  }
  EXPECT_EQ(HeapSize(StringHeap, HEAP_NO_SERIALIZE, ScratchBuffer), 16401u);
  ScratchSetPos(0);
}

// The largest text, 2^31 - 6 bytes, may be the exact need of a growth: it is
// asked for, not refused outright. Only a 64-bit process can hold it; the
// pages beyond the position are never touched.
TEST_F(FreshStringEngine, GrowthUpToTheLargestText) {
  if (sizeof(void *) < 8) {
    GTEST_SKIP() << "a 32-bit process cannot hold the largest text";
  }
  ScratchSetPos(INT32_MAX - 5 - 16384);
  EXPECT_EQ(ScratchCapacity, INT32_MAX - 5);
}

// A number takes 32 bytes of room when it fits 32 bits and 64 otherwise: here
// 40 bytes are left before the buffer must grow.
TEST_F(FreshStringEngine, NumberReservations) {
  const struct Case {
    int64_t value;
    bool grows;
  } cases[] = {{INT32_MAX, false}, {INT64_C(2147483648), true}, {INT32_MIN, false}, {INT64_C(-2147483649), true}};
  for (const Case &c : cases) {
    HeapDestroy(StringHeap);
    StringEngineInit();
    ScratchSetPos(20000);
    int32_t capacity = ScratchCapacity;
    int32_t pos = capacity - 4 - 40;
    StrFromInt(c.value, pos);
    EXPECT_EQ(ScratchCapacity != capacity, c.grows) << c.value;
    EXPECT_EQ(std::string(ScratchAt(pos)), std::to_string(c.value));
  }
}

// Heaps with room for less than the doubled block: the surplus over the need
// (the end plus the margin of 16384) is halved down to the margin before the
// exact need is asked for, and only when even that is refused does the engine
// give up, after its handler has run.
TEST_F(FreshStringEngine, GrowthNearTheLimitHalvesTheSurplus) {
  struct Case {
    int32_t heapMaximum, capacity, grown;
  } cases[] = {
      // Doubled 65536; needed 49152; half the surplus is below the margin.
      {56 * 1024, 32768, 49152},
      // Doubled 98304; needed 65536; half the surplus is the margin, and fits.
      {85 * 1024, 49152, 81920},
      // Doubled 131072; needed 81920; half the surplus, 24576, fits.
      {110 * 1024, 65536, 106496},
      // Doubled 262144; needed 147456; a quarter of the surplus, 28672, fits.
      {180 * 1024, 131072, 176128},
      {150 * 1024, 131072, 147456},
  };
  for (const Case &c : cases) {
    HeapDestroy(StringHeap);
    StringHeap = HeapCreate(HEAP_NO_SERIALIZE, 0, static_cast<SIZE_T>(c.heapMaximum));
    ScratchBuffer = static_cast<char *>(HeapAlloc(StringHeap, HEAP_NO_SERIALIZE, static_cast<SIZE_T>(c.capacity) + 5));
    ASSERT_NE(ScratchBuffer, nullptr);
    ScratchCapacity = c.capacity;
    ScratchPos = 0;
    std::memset(ScratchBuffer, 'a', 16384);
    ScratchReserve(c.capacity, 0);
    EXPECT_EQ(ScratchCapacity, c.grown) << c.heapMaximum;
    EXPECT_EQ(std::string(ScratchBuffer, 16384), std::string(16384, 'a'));
  }
#if GTEST_HAS_DEATH_TEST
  ScopedValue<StorageExhaustedHandler> handler(StringStorageExhaustedHandler, [] { std::fputs("exhausted", stderr); });
  EXPECT_DEATH(ScratchReserve(16384, ScratchPos), "exhausted");
#endif
}

TEST_F(FreshStringEngine, GrowthKeepsTextAndIsGeometric) {
  std::string expected;
  int32_t previous = ScratchCapacity;
  for (int32_t piece = 0; piece < 64; piece++) {
    std::string text(5000, static_cast<char>('a' + piece % 26));
    StrAppendScratch(text.c_str());
    expected += text;
    if (ScratchCapacity != previous) {
      EXPECT_GE(ScratchCapacity, 2 * previous);
      previous = ScratchCapacity;
    }
  }
  EXPECT_EQ(std::string(ScratchAt(0)), expected);
  EXPECT_EQ(ScratchPos, static_cast<int32_t>(expected.size()));
  ScratchSetPos(0);
}

TEST_F(FreshStringEngine, AppendOfBufferTextSurvivesGrowth) {
  StrAppendScratch("ahead");
  ScratchReserve(0, 11);
  StrAppendScratch("0123456789");
  // Appending the text to itself repeatedly moves the buffer several times.
  for (int round = 0; round < 12; round++) {
    StrAppendScratch(ScratchAt(11));
  }
  EXPECT_EQ(std::string(ScratchAt(11)).size(), 10u << 12);
  EXPECT_EQ(std::string(ScratchAt(11), 20), "01234567890123456789");
  ScratchSetPos(0);
}

TEST(ScratchBuffer, ContainsAndPositions) {
  int32_t pos = ScratchPos;
  StrAppendScratch("abc");
  EXPECT_EQ(ScratchPos, pos + 3);
  EXPECT_EQ(ScratchContains(ScratchAt(ScratchPos)), ScratchPos + 1);
  EXPECT_EQ(ScratchContains(ScratchAt(ScratchPos) + 1), 0);
  EXPECT_EQ(ScratchContains(ScratchAt(0)), 1);
  EXPECT_EQ(ScratchContains("abc"), 0);
  EXPECT_EQ(ScratchContains(nullptr), 0);
  *ScratchAt(ScratchPos) = 'x';
  StrAppendScratch(nullptr); // only writes its NUL
  EXPECT_EQ(ScratchPos, pos + 3);
  EXPECT_STREQ(ScratchAt(pos), "abc");
  ScratchSetPos(pos);
  EXPECT_STREQ(ScratchAt(pos), "");

  // Every producer ends at its NUL, and taking the text returns to pos.
  StringVar value = nullptr;
  const std::pair<void (*)(int32_t), const char *> producers[] = {
      {[](int32_t at) { StrReplace("a;b", ";", "--", at); }, "a--b"},
      {[](int32_t at) { StrFromInt(-5, at); }, "-5"},
      {[](int32_t at) { StrFromInt(INT64_MAX, at); }, "9223372036854775807"},
      {[](int32_t at) { StrFromInt32(42, at); }, "42"},
  };
  for (const auto &producer : producers) {
    producer.first(pos);
    EXPECT_EQ(ScratchPos, pos + static_cast<int32_t>(std::string(producer.second).size()));
    EXPECT_EQ(*ScratchAt(ScratchPos), 0);
    StrTakeScratch(&value, pos);
    EXPECT_STREQ(value, producer.second);
    EXPECT_EQ(ScratchPos, pos);
  }
  StrFree(value);
}

} // namespace
