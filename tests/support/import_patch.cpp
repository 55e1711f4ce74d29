#include "tests/support/import_patch.h"

#include <windows.h>

// The program's import slot of a function, found by the name it is imported by.
static void **ImportSlotFind(const char *dllName, const char *functionName) {
  BYTE *image = reinterpret_cast<BYTE *>(GetModuleHandleA(nullptr));
  IMAGE_NT_HEADERS *headers =
      reinterpret_cast<IMAGE_NT_HEADERS *>(image + reinterpret_cast<IMAGE_DOS_HEADER *>(image)->e_lfanew);
  IMAGE_DATA_DIRECTORY directory = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (IMAGE_IMPORT_DESCRIPTOR *import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(image + directory.VirtualAddress);
       import->Name; ++import) {
    if (lstrcmpiA(reinterpret_cast<char *>(image + import->Name), dllName) != 0 || !import->OriginalFirstThunk) {
      continue;
    }
    IMAGE_THUNK_DATA *names = reinterpret_cast<IMAGE_THUNK_DATA *>(image + import->OriginalFirstThunk);
    IMAGE_THUNK_DATA *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(image + import->FirstThunk);
    for (size_t index = 0; names[index].u1.AddressOfData; ++index) {
      if (IMAGE_SNAP_BY_ORDINAL(names[index].u1.Ordinal)) {
        continue;
      }
      IMAGE_IMPORT_BY_NAME *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(image + names[index].u1.AddressOfData);
      if (lstrcmpA(reinterpret_cast<char *>(byName->Name), functionName) == 0) {
        return reinterpret_cast<void **>(&slots[index].u1.Function);
      }
    }
  }
  return nullptr;
}

void *ImportReplace(const char *dllName, const char *functionName, void *replacement) {
  void **slot = ImportSlotFind(dllName, functionName);
  if (!slot) {
    return nullptr;
  }
  DWORD protection = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
  void *previous = *slot;
  *slot = replacement;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return previous;
}
