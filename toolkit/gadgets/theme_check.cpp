#include "toolkit/gadgets/theme_check.h"

#include <windows.h>
#include <shlwapi.h>

uint32_t CommonControlsVersion;
int32_t GadgetsThemed;

// Stays loaded until the process ends.
static HMODULE ThemeLibrary;

// GetProcAddress hands out a generic pointer; going through void (*)(void)
// keeps the conversion to the export's real type explicit.
template <typename Function> static Function ExportAs(FARPROC address) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)(void)>(address));
}

uint32_t GadgetThemeCheck() {
  if (CommonControlsVersion != 0) {
    return CommonControlsVersion;
  }

  HMODULE controls = LoadLibraryA("COMCTL32.DLL");
  if (controls) {
    FARPROC address = GetProcAddress(controls, "DllGetVersion");
    if (address) {
      DLLVERSIONINFO info = {};
      info.cbSize = 20;
      // A failing call leaves the version unknown, so the next list view asks again.
      if (ExportAs<DLLGETVERSIONPROC>(address)(&info) >= 0) {
        CommonControlsVersion = ((info.dwMajorVersion & 0xFFFF) << 16) | (info.dwMinorVersion & 0xFFFF);
      }
    } else {
      CommonControlsVersion = 1;
    }
    FreeLibrary(controls);
  }

  if (!ThemeLibrary) {
    ThemeLibrary = LoadLibraryA("uxtheme.dll");
  }
  if (ThemeLibrary) {
    FARPROC address = GetProcAddress(ThemeLibrary, "IsAppThemed");
    if (address) {
      GadgetsThemed = (ExportAs<BOOL(WINAPI *)()>(address)() && CommonControlsVersion >= 0x60000) ? 1 : 0;
    }
  }
  return CommonControlsVersion;
}
