// Which common-controls version is loaded and whether the program is themed.
#pragma once
#include <cstdint>

extern uint32_t CommonControlsVersion;
extern int32_t GadgetsThemed;

uint32_t GadgetThemeCheck();
