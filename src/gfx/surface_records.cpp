#include "gfx/surface_records.h"

DDSURFACEDATA SurfaceRecords[kSurfaceRowCount];
