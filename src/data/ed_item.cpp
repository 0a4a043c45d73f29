#include "data/ed_item.h"

#include "data/data_read_context.h"
#include "data/definition_parts.h"
#include "data/palette_reference.h"

cEdItem::cEdItem() { Clear(); }

void cEdItem::Clear() {
  cData::Clear();
  x = y = 0;
  conditions.clear();
  commands.clear();
  inheritFlags.assign(kInheritGroups, 0);
  nGraphicKind = 2;
  nPicture = 0;
  bPopUp = 1;
  nScale = 1;
  nLayer = 6;
}

void cEdItem::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddByte(&nPalSource);
  AddShort(&nPalIndex);
  AddByte(&nCondRule);
  AddByte(&bCondOnce);
  AddShort(&nOffsetX);
  AddShort(&nOffsetY);
  AddShort(&nPicture);
  AddByte(&nGraphicKind);
  AddShort(&nPose);
  AddByte(&nLayer);
  AddByte(&bInvisible);
  AddByte(&bOverlay);
  AddShort(&nOverlayTile);
  AddByte(&bPopUp);
  AddByte(&nTakeMode);
  AddByte(&nScale);
  AddShort(&nSound);
  AddStrings(&strName);
}

bool cEdItem::Read(RecordReader& in) {
  if (!cData::Read(in) || !ReadCellPosition(x, y, in) || !ReadInheritFlags(inheritFlags, in) ||
      !ReadRecordList(conditions, in) || !ReadCommandList(commands, in)) {
    return false;
  }
  if (in.Version() < kShotPictureRenumbered) RenumberShotPicture(nGraphicKind, nPicture);
  const DataReadContext& context = DataContextOf(in);
  Inherit(context);
  Validate(context);
  return true;
}

void cEdItem::Write(RecordWriter& out) {
  Validate(ProjectDataContext());
  cData::Write(out);
  WriteCellPosition(x, y, out);
  WriteInheritFlags(inheritFlags, out);
  WriteRecordList(conditions, out);
  WriteRecordList(commands, out);
}

void cEdItem::Validate(const DataReadContext& context) {
  ValidatePaletteRef(nPalSource, nPalIndex, context, PaletteKind::Item);
  if (static_cast<std::int8_t>(nScale) <= 0) nScale = 1;
  if (nSound >= context.database.sounds) nSound = 0;
  for (cEdCommand& command : commands) command.Validate(context);
}

void cEdItem::ValidateSummons(const DataReadContext& context) {
  for (cEdCommand& command : commands) command.ValidateSummon(context);
}
