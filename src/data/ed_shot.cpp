#include "data/ed_shot.h"

#include "data/data_read_context.h"

cEdShot::cEdShot() {
  RegisterFields(CurrentVersion);
  Clear();
  bTakeGroup = 1;
  bMirrorAngle = 1;
  bVolleyMirrorX = 1;
  bVolleyMirrorY = 0;
  nScale = 1;
}

void cEdShot::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  AddByte(&nCount);
  AddByte(&nFormation);
  AddShort(nFormParam, 3);
  if (version >= 671) AddByte(&nFormTarget);
  AddByte(&nDirection);
  AddByte(&bAim);
  AddShort(&nAngle);
  AddShort(&nAngleStep);
  if (version >= 158) AddByte(&bMirrorAngle);
  AddShort(&nSpread);
  AddByte(&bRotate);
  AddByte(&nVolleys);
  AddShort(&nVolleyX);
  AddShort(&nVolleyXStep);
  AddShort(&nVolleyY);
  AddShort(&nVolleyYStep);
  AddByte(&bVolleyMirrorX);
  AddByte(&bVolleyMirrorY);
  AddShort(&nPicture);
  AddByte(&nLayer);
  AddByte(&bInvisible);
  AddByte(&bTakeGroup);
  AddByte(&nGroup);
  AddByte(&nCarried1);
  AddByte(&nScale);
  AddByte(&nCarried2);
  AddByte(&nTrajectory);
  AddShort(nTrajParam, 3);
  if (version >= 211) AddByte(&bFollowScroll);
  AddShort(&nSpeed);
  AddShort(&nSpeedStep);
  if (version >= 213) {
    AddByte(&bAccelerate);
    AddShort(&nAccel);
    AddShort(&nAccelStep);
  }
  AddShort(&nRange);
  AddByte(&bRangeLimited);
  AddShort(&nRangeStep);
  AddByte(&nRangeEnd);
  AddByte(&bLifeLimited);
  AddShort(&nLife);
  AddShort(&nLifeStep);
  AddByte(&bThroughBlocks);
  AddByte(&bPierceChara);
  if (version >= 636) AddByte(&bPierceBlockChara);
  AddByte(&bErasable);
  AddByte(&nEraseLevel);
  AddInt(&nPower);
  AddShort(&nCarried3);
  AddByte(&nImpact);
  AddShort(&nEffect);
  AddByte(&nItemSource);
  AddShort(&nItemIndex);
  AddByte(&nBlockMode);
  AddByte(&bUndoOnHero);
  if (version >= 197) AddByte(&bUndoOnChara);
  AddByte(&nSummonPalette);
  AddShort(&nSummonIndex);
  AddByte(&nSummonGroup);
  AddByte(&bNoScore);
  AddByte(&bSummonFaceAway);
}

bool cEdShot::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  if (in.Version() < kRecordVersion) Migrate(in.Version());
  Validate(DataContextOf(in));
  return true;
}

void cEdShot::Write(RecordWriter& out) {
  Validate(ProjectDataContext());
  cData::Write(out);
}

void cEdShot::Migrate(std::int32_t v) {
  if (v < 158) bMirrorAngle = 0;
  if (v < 197) bUndoOnChara = bUndoOnHero;
  // Homing shots always followed the scroll; files of 211 stored a value that did not count.
  if (v < 212) bFollowScroll = (nTrajectory >= 4 && nTrajectory <= 7) ? 1 : 0;
  if (v < 213) {
    bAccelerate = 0;
    nAccel = 0;
    nAccelStep = 0;
  }
  if (v < 636) bPierceBlockChara = bPierceChara;
  if (v < 671) nFormTarget = 0;
}

void cEdShot::Validate(const DataReadContext& context) {
  if (static_cast<std::int8_t>(nScale) <= 0) nScale = 1;
  if (nEffect < 0 || nEffect >= context.database.effects) nEffect = 0;
}

double cEdShot::VolleyOffsetX(int volley, int facing) const {
  const int offset = volley * nVolleyXStep + nVolleyX;
  return static_cast<double>(facing == 1 && bVolleyMirrorX ? -offset : offset);
}

double cEdShot::VolleyOffsetY(int volley, int facing) const {
  const int offset = volley * nVolleyYStep + nVolleyY;
  return static_cast<double>(facing == 1 && bVolleyMirrorY ? -offset : offset);
}
