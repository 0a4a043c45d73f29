#include "data/palette_reference.h"

#include "data/ed_item.h"

std::int32_t PaletteCount(const DataReadContext& context, int source, PaletteKind kind) {
  const PaletteLists* palette = context.Palette(source);
  if (!palette) return -1;
  switch (kind) {
    case PaletteKind::Block: return palette->BlockCount();
    case PaletteKind::Chara: return palette->CharaCount();
    case PaletteKind::Item: return palette->ItemCount();
  }
  return -1;
}

void ValidatePaletteRef(std::uint8_t& source, std::int16_t& index, const DataReadContext& context, PaletteKind kind) {
  const std::int32_t count = PaletteCount(context, source, kind);
  if (count >= 0 && !PaletteIndexInRange(index, count)) {
    source = 0;
    index = 0;
  }
}

const cEdItem* GetPaletteItem(int source, int index, const DataReadContext& context) {
  const PaletteLists* palette = context.Palette(source);
  return palette ? palette->Item(index) : nullptr;
}

const cEdItem* GetPaletteItem(int source, int index) { return GetPaletteItem(source, index, ProjectDataContext()); }
