#include "data/common_palette.h"

#include <memory>

#include "data/palette_lists.h"
#include "data/project_paths.h"
#include "data/stage_data.h"

cCommonPalette CommonPalette;

cCommonPalette::cCommonPalette() {
  RegisterFields(CurrentVersion);
  Clear();
  Blocks.assign(1, cEdBlock());
  Charas.assign(1, cEdChara());
  Items.assign(1, cEdItem());
}

void cCommonPalette::RegisterFields(std::int32_t /*version*/) { ResetFieldLists(); }

bool cCommonPalette::Read(RecordReader& in) {
  // Common-palette references of the entries read here name this palette, still being filled.
  DataReadContext context = DataContextOf(in);
  context.commonPalette = PaletteView();
  const RecordContext* outer = in.Context();
  in.SetContext(&context);
  const bool ok = ReadBody(in, context);
  in.SetContext(outer);
  return ok;
}

bool cCommonPalette::ReadBody(RecordReader& in, DataReadContext& context) {
  PaletteLists& palette = context.commonPalette;
  if (!cData::Read(in) || !ReadBlockList(Blocks, in, palette) || !ReadCharaList(Charas, in, palette) ||
      !ReadItemList(Items, in, palette)) {
    return false;
  }
  ResetPaletteEntryZero(Blocks, Charas, Items);
  // The entries keep what they inherited while being read, and never inherit again.
  for (cEdBlock& block : Blocks) block.inheritFlags.Fill(0);
  for (cEdChara& chara : Charas) chara.inheritFlags.Fill(0);
  for (cEdItem& item : Items) item.inheritFlags.Fill(0);
  Normalize(context);
  return true;
}

void cCommonPalette::Write(RecordWriter& out) {
  Normalize(ProjectDataContext());
  cData::Write(out);
  WriteRecordList(Blocks, out);
  WriteRecordList(Charas, out);
  WriteRecordList(Items, out);
}

void cCommonPalette::Normalize(const DataReadContext& context) {
  PadPalette(Blocks, Charas, Items);
  ValidateDefinitions(Blocks, Charas, Items, context);
}

int LoadCommonPalette() {
  // Stage-palette references of the entries are checked against the live stage's palette,
  // which is a new stage's at start-up.
  ProjectDataContext().stagePalette = StageCur.PaletteView();
  auto loaded = std::make_unique<cCommonPalette>();
  if (loaded->Load(ProjectPaths[kPathCommonPalette]) == 0) return 0;
  CommonPalette = std::move(*loaded);
  ProjectDataContext().commonPalette = CommonPalette.PaletteView();
  return 1;
}
