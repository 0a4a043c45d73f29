#include "data/ed_move.h"

cEdMove::cEdMove() {
  RegisterFields(CurrentVersion);
  Clear();
  bMirrorAngle = 1;
  bAxisX = 1;
  bAxisY = 1;
  bTimeToTarget = 1;
  bMirrorX = 1;
  bMirrorY = 0;
  bReverseOnTurn = 1;
  nSpeed = 10;
  dTurnFactor = 1.0;
}

void cEdMove::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  AddByte(&nSpecMode);
  AddByte(&nDirection);
  AddShort(&nAngle);
  AddShort(&nAngleStep);
  if (version >= 158) AddByte(&bMirrorAngle);
  AddByte(&bAxisX);
  AddByte(&bAxisY);
  AddShort(&nTargetX);
  AddShort(&nTargetY);
  AddShort(&nTargetXDots);
  AddShort(&nTargetYDots);
  AddByte(&nCoordMode);
  AddByte(&bTimeToTarget);
  AddByte(&bNoMoveX);
  AddByte(&bNoMoveY);
  AddByte(&bMirrorX);
  AddByte(&bMirrorY);
  AddByte(&bReverseOnTurn);
  AddByte(&bStopAtTarget);
  if (version >= 162) AddByte(&bKeepFacing);
  AddByte(&nTimingMode);
  AddShort(&nSpeed);
  AddShort(&nSpeedStep);
  AddShort(&nDistance);
  AddShort(&nDistanceStep);
  if (version >= 159) AddByte(&nDistUnit);
  AddShort(&nRadius);
  AddShort(&nRadiusStep);
  AddByte(&bInertia);
  AddShort(&nMaxSpeed);
  AddDouble(&dTurnFactor);
  if (version >= 162) AddByte(&bKeepMotion);
}

bool cEdMove::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  if (in.Version() < kRecordVersion) Migrate(in.Version());
  return true;
}

void cEdMove::Migrate(std::int32_t v) {
  if (v < 158) bMirrorAngle = 0;
  if (v < 159) nDistUnit = 0;
  if (v < 162) {
    bKeepFacing = 0;
    bKeepMotion = 0;
  }
}
