#include "data/ed_chara.h"

#include <algorithm>

#include "data/data_read_context.h"
#include "data/definition_parts.h"
#include "data/palette_reference.h"

namespace {

// A property group was inserted at `group`: the later flags move up one place (the last one
// is lost) and the new group is inherited.
void InsertInheritGroup(cVector<std::uint8_t>& flags, int group) {
  flags.resize(cEdChara::kInheritGroups, 0);
  flags.insert(flags.begin() + group, 1);
  flags.resize(cEdChara::kInheritGroups);
}

}  // namespace

cEdChara::cEdChara() { Clear(); }

void cEdChara::Clear() {
  cData::Clear();
  x = y = 0;
  nHeldItem = 0;
  conditions.clear();
  flows.clear();
  inheritFlags.assign(kInheritGroups, 0);
  nMaxHp = 10;
  nStopEase = 10;
  nOperator = 1;
  nGroup = 1;
  nZ = 3;
  nStartEffectParam2 = 1;
  nDefence = 0;
  nGraphicKind = 1;
  nPicture = 0;
  nGiant = 1;
  bFixedFacing = 1;
  nEditorSetting = 1;
}

void cEdChara::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  AddByte(&nPalSource);
  AddShort(&nPalIndex);
  AddByte(&nCondRule);
  AddByte(&bCondOnce);
  AddByte(&nFacing);
  AddByte(&nCopies);
  AddShort(&nCopyX);
  AddShort(&nCopyXStep);
  AddShort(&nCopyY);
  AddShort(&nCopyYStep);
  AddByte(&bCopyMirrorX);
  AddByte(&bCopyMirrorY);
  AddShort(&nPicture);
  AddByte(&nGraphicKind);
  AddShort(&nBaseColumn);
  AddShort(&nAnimeSet);
  AddByte(&nZ);
  AddByte(&bTransparent);
  AddShort(&nStartEffect);
  if (version >= 196) AddByte(&nStartEffectParam1);
  AddByte(&nStartEffectParam2);
  AddShort(&nDeathEffect);
  if (version >= 196) AddByte(&nDeathEffectParam);
  AddByte(&bOverlay);
  AddShort(&nOverlayTile);
  AddByte(&nOperator);
  AddByte(&nPlayer);
  AddByte(&nGroup);
  AddByte(&nCharaId);
  AddByte(&nFlight);
  AddByte(&bFixedFacing);
  AddByte(&nInvincible);
  if (version >= 285) AddByte(&nTint);
  AddByte(&bBlockChara);
  AddByte(&nGiant);
  if (version >= 210) AddByte(&bFollowScroll);
  AddByte(&nDarkness);
  AddByte(&nSight);
  AddInt(&nMaxHp);
  AddInt(&nMaxSp);
  AddShort(&nStopEase);
  if (version >= 201) AddByte(&nBodyBox);
  AddInt(&nPower);
  AddByte(&nImpact);
  AddShort(&nHitEffect);
  if (version >= 168) AddInt(&nDefence);
  AddByte(&nImpactResist);
  AddInt(&nScore);
  AddByte(&nEditorSetting);
  AddByte(&bActivation);
  AddShort(&nActivationSwitch);
  AddByte(&nActivityRange);
  AddByte(&bStayActive);
  AddStrings(&strName);
}

bool cEdChara::Read(RecordReader& in) {
  if (!cData::Read(in) || !ReadCellPosition(x, y, in) || !in.ReadI32(nHeldItem) ||
      !ReadInheritFlags(inheritFlags, in) || !ReadRecordList(conditions, in) || !ReadFlowList(flows, in)) {
    return false;
  }
  const DataReadContext& context = DataContextOf(in);
  if (context.DropsTestPlayFlows()) DropTestPlayFlows(flows);
  if (in.Version() < kRecordVersion) Migrate(in.Version());
  Inherit(context);
  Validate(context);
  return true;
}

void cEdChara::Write(RecordWriter& out) {
  Validate(ProjectDataContext());
  cData::Write(out);
  WriteCellPosition(x, y, out);
  out.WriteI32(nHeldItem);
  WriteInheritFlags(inheritFlags, out);
  WriteRecordList(conditions, out);
  WriteRecordList(flows, out);
}

void cEdChara::Migrate(std::int32_t v) {
  if (v < 168) {
    nDefence = 0;
    InsertInheritGroup(inheritFlags, 27);
  }
  if (v < 196) {
    nStartEffectParam1 = 0;
    nDeathEffectParam = 0;
  }
  if (v < 201) {
    nBodyBox = 0;
    InsertInheritGroup(inheritFlags, 24);
  }
  // Body box basis 2 was inserted.
  if (v < 206 && nBodyBox >= 2) ++nBodyBox;
  if (v < 210) {
    bFollowScroll = 0;
    InsertInheritGroup(inheritFlags, 21);
  }
  if (v < kShotPictureRenumbered) RenumberShotPicture(nGraphicKind, nPicture);
  if (v < 285) nTint = 1;
}

void cEdChara::Validate(const DataReadContext& context) {
  const DatabaseCounts& db = context.database;
  ValidatePaletteRef(nPalSource, nPalIndex, context, PaletteKind::Chara);
  if (nGraphicKind == 4 && nPicture >= db.charaBitmaps) nPicture = 1;
  if (static_cast<std::int8_t>(nGiant) <= 0) nGiant = 1;
  if (nAnimeSet >= db.animeSets) nAnimeSet = 0;
  if (nStartEffect >= db.charaEffects) nStartEffect = 0;
  if (nDeathEffect >= db.charaEffects) nDeathEffect = 0;
  if (nHitEffect >= db.effects) nHitEffect = 0;
  if (nOperator == 0) {
    bBlockChara = 0;
    nCopies = 0;
  }
  for (cEdFlow& flow : flows) flow.Validate(context);
  std::erase_if(static_cast<std::vector<cEdFlow>&>(flows), [](const cEdFlow& flow) { return flow.IsEmpty(); });
}

void cEdChara::ValidateSummons(const DataReadContext& context) {
  for (cEdFlow& flow : flows) flow.ValidateSummons(context);
}

int cEdChara::CopyOffsetX(int copy, int facing) const {
  const int offset = copy * nCopyXStep + nCopyX;
  return facing == 1 && bCopyMirrorX ? -offset : offset;
}

int cEdChara::CopyOffsetY(int copy, int facing) const {
  const int offset = copy * nCopyYStep + nCopyY;
  return facing == 1 && bCopyMirrorY ? -offset : offset;
}
