#pragma once

#include <span>

#include "make_sample_game/pixel_canvas.h"

namespace sample {

// Every bitmap the sample game ships: the surface table's files, the stages' backgrounds and
// the database's pictures, effects and swords, each with the size its users cut it by.
struct BitmapEntry {
  const char* path;  // game path below the project folder
  int width;
  int height;
  Canvas (*paint)();
};

std::span<const BitmapEntry> BitmapCatalog();
// The entry of a path, or null.
const BitmapEntry* FindBitmap(const char* path);

// Stage backgrounds.
inline constexpr const char* kBackSky = "bmp\\Back_Sky.bmp";
inline constexpr const char* kBackHills = "bmp\\Back_Hills.bmp";
inline constexpr const char* kBackDusk = "bmp\\Back_Dusk.bmp";
inline constexpr const char* kBackNight = "bmp\\Back_Night.bmp";

}  // namespace sample
