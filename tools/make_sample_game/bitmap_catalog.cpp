#include "make_sample_game/bitmap_catalog.h"

#include <cstring>

#include "make_sample_game/art_sheets.h"
#include "make_sample_game/sheet_layouts.h"

namespace sample {

namespace {

using namespace layout;

const BitmapEntry kCatalog[] = {
    {"bmp\\plt\\Palette.bmp", kPaletteWidth, kPaletteHeight, PaintPalette},
    {"bmp\\Debug.bmp", kDebugWidth, kDebugHeight, PaintDebugSheet},
    {"bmp\\Block.bmp", kBlockWidth, kBlockHeight, PaintBlocks},
    {"bmp\\Character1.bmp", kCharaWidth, kCharaHeight, PaintCharacters},
    {"bmp\\Shot.bmp", kShotWidth, kShotHeight, PaintShots},
    {"bmp\\Item.bmp", kItemWidth, kItemHeight, PaintItems},
    {"bmp\\Item_Mini.bmp", kMiniItemWidth, kMiniItemHeight, PaintMiniItems},
    {"bmp\\Mark.bmp", kMarkWidth, kMarkHeight, PaintMarks},
    {"bmp\\Window.bmp", kScreenWidth, kScreenHeight, PaintWindow},
    {"bmp\\StatusWindow.bmp", kStatusBarWidth, kStatusBarHeight, PaintStatusBar},
    {"bmp\\Title.bmp", kScreenWidth, kScreenHeight, PaintTitle},
    {"bmp\\GameMode.bmp", kGameModeWidth, kGameModeHeight, PaintGameMode},
    {"bmp\\Accessory.bmp", kAccessoryWidth, kAccessoryHeight, PaintAccessory},
    {"bmp\\Symbol.bmp", kSymbolWidth, kSymbolHeight, PaintSymbols},
    {"bmp\\Word.bmp", kWordWidth, kWordHeight, PaintWords},
    {"bmp\\WorldMapChip.bmp", kChipWidth, kChipHeight, PaintWorldChips},
    {"bmp\\WorldEvent.bmp", kEventWidth, kEventHeight, PaintWorldEvents},
    {"bmp\\WorldBack.bmp", kScreenWidth, kScreenHeight, PaintWorldBack},
    {kBackSky, kScreenWidth, kScreenHeight, PaintBackSky},
    {kBackHills, kScreenWidth, kScreenHeight, PaintBackHills},
    {kBackDusk, kScreenWidth, kScreenHeight, PaintBackDusk},
    {kBackNight, kScreenWidth, kScreenHeight, PaintBackNight},
    {"bmp\\pict\\Sign.bmp", 320, 96, PaintSignPicture},
    {"bmp\\effect\\Burst.bmp", 6 * kEffectCell, kEffectCell, PaintBurstEffect},
    {"bmp\\effect\\Sparkle.bmp", 4 * kEffectCell, kEffectCell, PaintSparkleEffect},
    {"bmp\\Sword_L.bmp", 64, 32, PaintSwordLeft},
    {"bmp\\Sword_R.bmp", 64, 32, PaintSwordRight},
};

}  // namespace

std::span<const BitmapEntry> BitmapCatalog() { return kCatalog; }

const BitmapEntry* FindBitmap(const char* path) {
  for (const BitmapEntry& entry : kCatalog) {
    if (std::strcmp(entry.path, path) == 0) return &entry;
  }
  return nullptr;
}

}  // namespace sample
