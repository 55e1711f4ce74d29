#include <gtest/gtest.h>

#include <vector>

#include "toolkit/core/object_registry.h"

namespace {

struct TestRecord {
  int32_t marker; // non-zero while in use
  int32_t value;
};

ObjectRegistry *testRegistry;
std::vector<ObjectId> freed;

// Frees like a kind's close routine: records the number and zero-fills.
void TestRecordFree(ObjectId number) {
  if (RegistryLookup(testRegistry, number)) {
    freed.push_back(number);
    RegistryRelease(testRegistry, number);
  }
}

TestRecord *TestRecordCreate(ObjectId number, int32_t value) {
  TestRecord *record = static_cast<TestRecord *>(RegistryAllocate(testRegistry, number));
  if (record) {
    record->marker = 1;
    record->value = value;
  }
  return record;
}

class Registry : public testing::Test {
protected:
  void SetUp() override {
    testRegistry = RegistryCreate(sizeof(TestRecord), 16, TestRecordFree);
    freed.clear();
  }
};

TEST_F(Registry, GrowsByStepBeyondTheNumber) {
  for (ObjectId number : {0, 15, 16, 100}) {
    EXPECT_EQ(RegistryLookup(testRegistry, number), nullptr) << number;
  }
  EXPECT_EQ(testRegistry->capacity, 16);
  ASSERT_NE(TestRecordCreate(15, 1), nullptr);
  EXPECT_EQ(testRegistry->capacity, 16);
  ASSERT_NE(TestRecordCreate(20, 2), nullptr);
  EXPECT_EQ(testRegistry->capacity, 36);
  for (ObjectId number = 16; number < 36; number++) {
    EXPECT_EQ(RegistryLookup(testRegistry, number) != nullptr, number == 20) << number;
  }
  EXPECT_EQ(static_cast<TestRecord *>(RegistryLookup(testRegistry, 15))->value, 1);

  ObjectRegistry *gadgets = RegistryCreate(sizeof(TestRecord), 50, nullptr);
  RegistryAllocate(gadgets, 60);
  EXPECT_EQ(gadgets->capacity, 110);

  // The number equal to the capacity is the first one past the array (window
  // and file 16, gadget 50): it must grow it, or the record lies outside.
  for (int32_t step : {16, 50}) {
    ObjectRegistry *kind = RegistryCreate(sizeof(TestRecord), step, nullptr);
    TestRecord *record = static_cast<TestRecord *>(RegistryAllocate(kind, step));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(kind->capacity, 2 * step) << step;
    *record = {1, step};
    EXPECT_EQ(RegistryLookup(kind, step), record);
  }
}

// The in-use marker is the whole first 32-bit field: a handle whose low byte
// is 0 still marks its slot as in use.
TEST_F(Registry, MarkerWithZeroLowByte) {
  for (int32_t marker : {0x100, 0x10000, 0x1000000}) {
    TestRecordCreate(2, 7)->marker = marker;
    EXPECT_NE(RegistryLookup(testRegistry, 2), nullptr) << marker;
    RegistryFirst(testRegistry);
    ObjectId number = -1;
    EXPECT_NE(RegistryNext(testRegistry, &number), nullptr) << marker;
    EXPECT_EQ(number, 2);
  }
}

TEST_F(Registry, ReusedNumberFreesTheOldObjectFirst) {
  TestRecordCreate(3, 30);
  TestRecord *reused = static_cast<TestRecord *>(RegistryAllocate(testRegistry, 3));
  ASSERT_NE(reused, nullptr);
  EXPECT_EQ(freed, std::vector<ObjectId>({3}));
  EXPECT_EQ(reused->marker, 0);
  EXPECT_EQ(reused->value, 0);
  // Not filled in: the number names no object.
  EXPECT_EQ(RegistryLookup(testRegistry, 3), nullptr);
}

TEST_F(Registry, EnumerationSurvivesFreeing) {
  TestRecordCreate(0, 0);
  TestRecordCreate(3, 3);
  TestRecordCreate(40, 40);
  RegistryFirst(testRegistry);
  ObjectId number = -1;
  ASSERT_NE(RegistryNext(testRegistry, &number), nullptr);
  EXPECT_EQ(number, 0);
  EXPECT_EQ(testRegistry->enumerationIndex, 1);

  RegistryFreeAll(testRegistry);
  EXPECT_EQ(freed, std::vector<ObjectId>({0, 3, 40}));
  RegistryFirst(testRegistry);
  EXPECT_EQ(RegistryNext(testRegistry, &number), nullptr);

  ObjectRegistry *silent = RegistryCreate(sizeof(TestRecord), 4, nullptr);
  static_cast<TestRecord *>(RegistryAllocate(silent, 1))->marker = 1;
  RegistryFreeAll(silent);
  EXPECT_NE(RegistryLookup(silent, 1), nullptr);
}

TEST_F(Registry, NumbersNamingNoSlot) {
  TestRecordCreate(0, 5);
  for (ObjectId number : {-1, -16, INT32_MIN}) {
    EXPECT_EQ(RegistryAllocate(testRegistry, number), nullptr);
    EXPECT_EQ(RegistryLookup(testRegistry, number), nullptr);
    RegistryRelease(testRegistry, number);
  }
  // So large that the array cannot grow to it: creation fails cleanly.
  EXPECT_EQ(RegistryAllocate(testRegistry, INT32_MAX), nullptr);
  EXPECT_EQ(testRegistry->capacity, 16);
  RegistryRelease(testRegistry, 16);
  EXPECT_TRUE(freed.empty());
  EXPECT_EQ(static_cast<TestRecord *>(RegistryLookup(testRegistry, 0))->value, 5);
}

} // namespace
