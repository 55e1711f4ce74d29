// Numbered objects of one kind (windows, gadgets, files) kept in a growable
// array of zero-filled slots indexed by the number.
#pragma once
#include <cstdint>

typedef int32_t ObjectId;
typedef void (*FreeCallback)(ObjectId number);

struct ObjectRegistry {
  int32_t recordSize;
  int32_t growthStep;
  int32_t capacity;
  FreeCallback freeCallback;
  int32_t enumerationIndex;
  unsigned char *slots;
};

ObjectRegistry *RegistryCreate(int32_t recordSize, int32_t growthStep, FreeCallback freeCallback);
// Frees whatever the number named (through the free callback) and returns its
// slot. Returns nullptr for a negative number or when the array cannot grow:
// every creating caller then fails cleanly.
void *RegistryAllocate(ObjectRegistry *registry, ObjectId number);
void *RegistryLookup(ObjectRegistry *registry, ObjectId number);
void RegistryRelease(ObjectRegistry *registry, ObjectId number);
void RegistryFirst(ObjectRegistry *registry);
void *RegistryNext(ObjectRegistry *registry, ObjectId *number);
void RegistryFreeAll(ObjectRegistry *registry);
