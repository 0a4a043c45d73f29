#include "data/ed_block.h"

#include "data/data_read_context.h"
#include "data/definition_parts.h"
#include "data/palette_reference.h"

cEdBlock::cEdBlock() {
  RegisterFields(CurrentVersion);
  Clear();
  nHitKind = 1;
  nPassGroup = 255;
  inheritFlags.assign(kInheritGroups, 0);
}

void cEdBlock::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddByte(&nPalSource);
  AddShort(&nPalIndex);
  AddByte(&nCondRule);
  AddByte(&bCondOnce);
  AddShort(&nPicture);
  AddByte(&nGraphicKind);
  AddShort(&nPose);
  AddByte(&nLayer);
  AddByte(&bInvisible);
  AddByte(&bOverlay);
  AddShort(&nOverlayTile);
  AddByte(&nHitKind);
  AddByte(&nPassGroup);
  AddByte(&nBlockEffect);
  AddInt(&nBlockEffectValue);
  AddByte(&nItemSource);
  AddShort(&nItemIndex);
  AddByte(&bProtected);
  AddStrings(&strName);
}

bool cEdBlock::Read(RecordReader& in) {
  if (!cData::Read(in) || !ReadCellPosition(x, y, in) || !ReadInheritFlags(inheritFlags, in) ||
      !ReadRecordList(conditions, in)) {
    return false;
  }
  if (in.Version() < kShotPictureRenumbered) RenumberShotPicture(nGraphicKind, nPicture);
  const DataReadContext& context = DataContextOf(in);
  Inherit(context);
  Validate(context);
  return true;
}

void cEdBlock::Write(RecordWriter& out) {
  Validate(ProjectDataContext());
  cData::Write(out);
  WriteCellPosition(x, y, out);
  WriteInheritFlags(inheritFlags, out);
  WriteRecordList(conditions, out);
}

void cEdBlock::Validate(const DataReadContext& context) {
  ValidatePaletteRef(nPalSource, nPalIndex, context, PaletteKind::Block);
  // An empty cell never blocks and is never protected.
  if (nPicture == 0) {
    nHitKind = 0;
    bProtected = 0;
  }
}

void cEdBlock::ValidateItemRef(const DataReadContext& context) {
  ValidatePaletteRef(nItemSource, nItemIndex, context, PaletteKind::Item);
}
