#pragma once

#include <cstdint>

struct DDSURFACEDATA;

// Where a graphic (kind, picture, pose) is drawn from: a pair of surfaces (normal and the
// other facing) and the top-left corner of its cell in the sheet.
struct GraphicRef {
  // Uses: 0 any, 1 drawing a character (facing picks the sheet, extra shifts the pose), 2
  // drawing an item (extra shifts the cell).
  void Set(int type, int kind, int picture, int pose, int facing, int extra);
  // The surfaces the rows name: the surface table's, or an exception's own.
  DDSURFACEDATA* Surface() const;
  DDSURFACEDATA* OtherSurface() const;

  // Surface-table rows, or for kind 4 indices into the exception's own surface list.
  std::int32_t nRow = 0;
  std::int32_t nOtherRow = 0;
  std::int32_t nSrcX = 0;
  std::int32_t nSrcY = 0;
  std::int32_t bLargeCell = 0;
  std::int32_t nMultiplier = 1;
  std::int32_t bException = 0;  // kind 4: rows index the exception's surfaces
};

// Which pair the drawing backend uses: the first with DirectDraw and stretched video, else
// the twins.
bool UsesFirstPair();
