#include "toolkit/core/object_registry.h"

#include <cstring>
#include <windows.h>

#include "toolkit/core/program_heap.h"

namespace {

unsigned char *SlotAt(const ObjectRegistry *registry, ObjectId number) {
  return registry->slots + static_cast<size_t>(number) * static_cast<size_t>(registry->recordSize);
}

// A slot is in use while the first 32-bit field of its record is non-zero.
bool SlotInUse(const unsigned char *slot) {
  int32_t marker;
  std::memcpy(&marker, slot, sizeof marker);
  return marker != 0;
}

bool RegistryGrow(ObjectRegistry *registry, ObjectId number) {
  int64_t capacity = static_cast<int64_t>(number) + registry->growthStep;
  int64_t bytes = capacity * registry->recordSize;
  if (capacity > INT32_MAX || static_cast<uint64_t>(bytes) > SIZE_MAX) {
    return false;
  }
  void *slots = HeapReAlloc(ProgramHeap, HEAP_ZERO_MEMORY, registry->slots, static_cast<SIZE_T>(bytes));
  if (!slots) {
    return false;
  }
  registry->slots = static_cast<unsigned char *>(slots);
  registry->capacity = static_cast<int32_t>(capacity);
  return true;
}

} // namespace

ObjectRegistry *RegistryCreate(int32_t recordSize, int32_t growthStep, FreeCallback freeCallback) {
  ObjectRegistry *registry =
      static_cast<ObjectRegistry *>(HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, sizeof(ObjectRegistry)));
  if (!registry) {
    return nullptr;
  }
  registry->slots = static_cast<unsigned char *>(
      HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, static_cast<SIZE_T>(growthStep) * static_cast<SIZE_T>(recordSize)));
  if (!registry->slots) {
    HeapFree(ProgramHeap, 0, registry);
    return nullptr;
  }
  registry->recordSize = recordSize;
  registry->growthStep = growthStep;
  registry->capacity = growthStep;
  registry->freeCallback = freeCallback;
  registry->enumerationIndex = 0;
  return registry;
}

void *RegistryAllocate(ObjectRegistry *registry, ObjectId number) {
  if (number < 0 || (number >= registry->capacity && !RegistryGrow(registry, number))) {
    return nullptr;
  }
  if (registry->freeCallback) {
    registry->freeCallback(number);
  }
  return SlotAt(registry, number);
}

void *RegistryLookup(ObjectRegistry *registry, ObjectId number) {
  if (number < 0 || number >= registry->capacity) {
    return nullptr;
  }
  unsigned char *slot = SlotAt(registry, number);
  return SlotInUse(slot) ? slot : nullptr;
}

void RegistryRelease(ObjectRegistry *registry, ObjectId number) {
  if (number >= 0 && number < registry->capacity) {
    std::memset(SlotAt(registry, number), 0, static_cast<size_t>(registry->recordSize));
  }
}

void RegistryFirst(ObjectRegistry *registry) {
  registry->enumerationIndex = 0;
}

void *RegistryNext(ObjectRegistry *registry, ObjectId *number) {
  while (registry->enumerationIndex < registry->capacity) {
    ObjectId index = registry->enumerationIndex++;
    unsigned char *slot = SlotAt(registry, index);
    if (SlotInUse(slot)) {
      *number = index;
      return slot;
    }
  }
  return nullptr;
}

void RegistryFreeAll(ObjectRegistry *registry) {
  if (!registry->freeCallback) {
    return;
  }
  RegistryFirst(registry);
  ObjectId number;
  while (RegistryNext(registry, &number)) {
    registry->freeCallback(number);
  }
}
