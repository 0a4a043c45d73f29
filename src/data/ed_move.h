#pragma once

#include <cstdint>

#include "core/record_base.h"

// Parameters of a movement command (straight, turn-back, circle, charge, homing and
// off-screen-avoiding moves) and of the warp.
class cEdMove : public cData {
 public:
  cEdMove();
  cEdMove(const cEdMove&) = default;
  cEdMove& operator=(const cEdMove&) = default;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;

  // Old files get 0 in the fields they do not carry, not the defaults of a new record.
  void Migrate(std::int32_t version);

  std::uint8_t nSpecMode = 0;
  std::uint8_t nDirection = 0;
  std::int16_t nAngle = 0;
  std::int16_t nAngleStep = 0;
  std::uint8_t bMirrorAngle = 0;
  std::uint8_t bAxisX = 0;
  std::uint8_t bAxisY = 0;
  std::int16_t nTargetX = 0;
  std::int16_t nTargetY = 0;
  std::int16_t nTargetXDots = 0;
  std::int16_t nTargetYDots = 0;
  std::uint8_t nCoordMode = 0;
  std::uint8_t bTimeToTarget = 0;
  std::uint8_t bNoMoveX = 0;
  std::uint8_t bNoMoveY = 0;
  std::uint8_t bMirrorX = 0;
  std::uint8_t bMirrorY = 0;
  std::uint8_t bReverseOnTurn = 0;
  std::uint8_t bStopAtTarget = 0;
  std::uint8_t bKeepFacing = 0;
  std::uint8_t nTimingMode = 0;
  std::int16_t nSpeed = 0;
  std::int16_t nSpeedStep = 0;
  std::int16_t nDistance = 0;
  std::int16_t nDistanceStep = 0;
  std::uint8_t nDistUnit = 0;
  std::int16_t nRadius = 0;
  std::int16_t nRadiusStep = 0;
  std::uint8_t bInertia = 0;
  std::int16_t nMaxSpeed = 0;
  double dTurnFactor = 0.0;
  std::uint8_t bKeepMotion = 0;
};
