#pragma once

#include "data/surface_defs.h"
#include "gfx/surface_data.h"

// The surfaces of the table rows, addressed by row number like SurfaceDefs.
extern DDSURFACEDATA SurfaceRecords[kSurfaceRowCount];
