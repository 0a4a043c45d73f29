#include <string>

#include "data/common_palette.h"
#include "make_sample_game/art_sheets.h"
#include "make_sample_game/bitmap_catalog.h"
#include "make_sample_game/sample_palette.h"
#include "make_sample_game/sample_stages.h"
#include "make_sample_game/sheet_layouts.h"
#include "make_sample_game/stage_plans.h"
#include "platform/video/frame.h"
#include "platform/video/png_writer.h"

namespace sample {

namespace {

constexpr int C = layout::kCell;

// The stage drawn as the play field would show it with the camera standing still.
Canvas DrawStage(const cStageData& stage, const Canvas& blocks, const Canvas& charas, const Canvas& items) {
  Canvas field(stage.nWidth * C, stage.nHeight * C);
  if (!stage.Backgrounds.empty()) {
    if (const BitmapEntry* far = FindBitmap(stage.Backgrounds[0].strPicture.c_str())) {
      const Canvas back = far->paint();
      for (int x = 0; x < field.Width(); x += back.Width()) field.BlitAll(back, x, 0, false);
    }
  }
  for (const cEdBlock& b : stage.Blocks) {
    field.Blit(blocks, b.nPicture / layout::kBlockRows * C, b.nPicture % layout::kBlockRows * C, C, C, b.x * C, b.y * C);
  }
  for (const cEdItem& i : stage.Items) {
    field.Blit(items, i.nPicture / layout::kItemRows * 2 * C, i.nPicture % layout::kItemRows * C, C, C, i.x * C, i.y * C);
  }
  for (const cEdChara& c : stage.Charas) {
    // Facing right shows the sheet's picture mirrored; a block character shows its block pose.
    const int column = c.bBlockChara != 0 ? layout::kBlockCharaOffset : 0;
    field.Blit(charas, column * C, c.nPicture % layout::kCharaRows * C, C, C, c.x * C, c.y * C, true, c.nFacing == 1);
  }
  return field;
}

}  // namespace

bool WriteStagePreviews(const std::filesystem::path& folder) {
  const Canvas blocks = PaintBlocks();
  const Canvas charas = PaintCharacters();
  const Canvas items = PaintItems();
  const PaletteColors& palette = SamplePalette();
  const std::vector<BuiltStage> stages = BuildStages();
  for (std::size_t n = 0; n < stages.size(); ++n) {
    const Canvas field = DrawStage(stages[n].stage, blocks, charas, items);
    platform::Frame frame;
    frame.width = field.Width();
    frame.height = field.Height();
    frame.pixels.resize(field.Pixels().size());
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
      const Rgb& c = palette[field.Pixels()[i]];
      frame.pixels[i] = (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
    }
    if (!platform::WritePng((folder / ("stage_" + std::to_string(n + 1) + ".png")).string(), frame)) return false;
  }
  return true;
}

}  // namespace sample
