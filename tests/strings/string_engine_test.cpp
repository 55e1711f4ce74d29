#include <gtest/gtest.h>

#include <string>

#include "toolkit/strings/string_engine.h"
#include "toolkit/strings/string_functions.h"

namespace {

// Tests that count on the initial capacity start the engine afresh.
class FreshStringEngine : public testing::Test {
protected:
  void SetUp() override {
    HeapDestroy(StringHeap);
    StringEngineInit();
  }
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
  StrAssign(&taken, taken + 2); // a tail of its own text
  EXPECT_STREQ(taken, "llo");
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
  ScratchReserve(11, 0);
  EXPECT_EQ(ScratchCapacity, 16);
  ScratchSetPos(0);
  ScratchReserve(12, 0);
  EXPECT_EQ(ScratchCapacity, 16396);
  EXPECT_EQ(HeapSize(StringHeap, HEAP_NO_SERIALIZE, ScratchBuffer), 16401u);
  ScratchSetPos(0);
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
  StrAppendScratch(nullptr);
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
