#pragma once

#include <cstdint>

#include "core/trunc_to_int.h"

// Trigonometry for game logic. The C library picks different code (fused multiply-adds or
// not) by processor, so its results can differ in the last bit from machine to machine; a
// replay must not. These use plain double operations only, in a fixed order, and stay within
// one unit in the last place of the correctly rounded result.
double WorldSin(double x);
double WorldCos(double x);
double WorldAtan2(double y, double x);

