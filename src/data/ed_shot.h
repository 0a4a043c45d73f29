#pragma once

#include <cstdint>

#include "core/record_base.h"

struct DataReadContext;

// Parameters of the commands that create objects: shots, swords (the trajectory holds the
// sword type) and block, character and item summons.
class cEdShot : public cData {
 public:
  cEdShot();
  cEdShot(const cEdShot&) = default;
  cEdShot& operator=(const cEdShot&) = default;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  void Migrate(std::int32_t version);
  // Scale at least 1; an effect the database does not have becomes none.
  void Validate(const DataReadContext& context);

  // Offset of volley i for a shooter of facing value f.
  double VolleyOffsetX(int volley, int facing) const;
  double VolleyOffsetY(int volley, int facing) const;

  std::uint8_t nCount = 0;
  std::uint8_t nFormation = 0;
  std::int16_t nFormParam[3] = {};
  std::uint8_t nFormTarget = 0;
  std::uint8_t nDirection = 0;
  std::uint8_t bAim = 0;
  std::int16_t nAngle = 0;
  std::int16_t nAngleStep = 0;
  std::uint8_t bMirrorAngle = 0;
  std::int16_t nSpread = 0;
  std::uint8_t bRotate = 0;
  std::uint8_t nVolleys = 0;
  std::int16_t nVolleyX = 0;
  std::int16_t nVolleyXStep = 0;
  std::int16_t nVolleyY = 0;
  std::int16_t nVolleyYStep = 0;
  std::uint8_t bVolleyMirrorX = 0;
  std::uint8_t bVolleyMirrorY = 0;
  std::int16_t nPicture = 0;
  std::uint8_t nLayer = 0;
  std::uint8_t bInvisible = 0;
  std::uint8_t bTakeGroup = 0;
  std::uint8_t nGroup = 0;
  std::uint8_t nCarried1 = 0;  // kept for copies and writes; nothing reads it
  std::uint8_t nScale = 0;
  std::uint8_t nCarried2 = 0;  // kept for copies and writes; nothing reads it
  std::uint8_t nTrajectory = 0;
  std::int16_t nTrajParam[3] = {};
  std::uint8_t bFollowScroll = 0;
  std::int16_t nSpeed = 0;
  std::int16_t nSpeedStep = 0;
  std::uint8_t bAccelerate = 0;
  std::int16_t nAccel = 0;
  std::int16_t nAccelStep = 0;
  std::uint8_t bRangeLimited = 0;
  std::int16_t nRange = 0;
  std::int16_t nRangeStep = 0;
  std::uint8_t nRangeEnd = 0;
  std::uint8_t bLifeLimited = 0;
  std::int16_t nLife = 0;
  std::int16_t nLifeStep = 0;
  std::uint8_t bThroughBlocks = 0;
  std::uint8_t bPierceChara = 0;
  std::uint8_t bPierceBlockChara = 0;
  std::uint8_t bErasable = 0;
  std::uint8_t nEraseLevel = 0;
  std::int32_t nPower = 0;
  std::int16_t nCarried3 = 0;  // kept for copies and writes; nothing reads it
  std::uint8_t nImpact = 0;
  std::int16_t nEffect = 0;
  std::uint8_t nItemSource = 0;
  std::int16_t nItemIndex = 0;
  std::uint8_t nSummonPalette = 0;
  std::uint8_t nBlockMode = 0;
  std::uint8_t bUndoOnHero = 0;
  std::uint8_t bUndoOnChara = 0;
  std::int16_t nSummonIndex = 0;
  std::uint8_t nSummonGroup = 0;
  std::uint8_t bNoScore = 0;
  std::uint8_t bSummonFaceAway = 0;
};
