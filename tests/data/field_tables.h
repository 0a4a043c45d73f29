#pragma once

// The registered fields of the project records, transcribed from their layouts: order, width,
// first version and inheritance group. Samples are distinct where the layout allows and valid
// for a project of 100 records per database list, so that validation leaves them alone.

#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_condition.h"
#include "data/ed_item.h"
#include "data/ed_move.h"
#include "data/ed_shot.h"
#include "data_test_support.h"

namespace datatest {

// The layout of files from version 110 on.
inline const FieldTable<cEdCondition>& ConditionFields() {
  using T = cEdCondition;
  static const FieldTable<T> table = {
      KFIELD(T, nKind, 1, 0, -1, 4),         KFIELD(T, nValue, 4, 0, -1, 100001),
      KFIELD(T, nRandMin, 4, 0, -1, -5),     KFIELD(T, nRandMax, 4, 0, -1, 77),
      KFIELD(T, nLeftTarget, 1, 0, -1, 11),  KFIELD(T, nLeftStatus, 1, 0, -1, 12),
      KFIELD(T, nLeftSource, 1, 0, -1, 13),  KFIELD(T, nLeftScope, 1, 0, -1, 14),
      KFIELD(T, nVarIndex, 2, 0, -1, 300),   KFIELD(T, nRightSource, 1, 0, -1, 15),
      KFIELD(T, nRightTarget, 1, 0, -1, 16), KFIELD(T, nRightStatus, 1, 0, -1, 17),
      KFIELD(T, nRightScope, 1, 0, -1, 18),  KFIELD(T, nRightIndex, 2, 0, -1, -7),
      KFIELD(T, nOp, 1, 0, -1, 19),          KFIELD(T, nPercent, 1, 0, -1, 20),
      KFIELD(T, nShape, 1, 0, -1, 21),
  };
  return table;
}

inline const FieldTable<cEdMove>& MoveFields() {
  using T = cEdMove;
  static const FieldTable<T> table = {
      KFIELD(T, nSpecMode, 1, 0, -1, 2),       KFIELD(T, nDirection, 1, 0, -1, 3),
      KFIELD(T, nAngle, 2, 0, -1, 301),        KFIELD(T, nAngleStep, 2, 0, -1, -302),
      KFIELD(T, bMirrorAngle, 1, 158, -1, 5),  KFIELD(T, bAxisX, 1, 0, -1, 6),
      KFIELD(T, bAxisY, 1, 0, -1, 7),          KFIELD(T, nTargetX, 2, 0, -1, 308),
      KFIELD(T, nTargetY, 2, 0, -1, -309),     KFIELD(T, nTargetXDots, 2, 0, -1, 310),
      KFIELD(T, nTargetYDots, 2, 0, -1, 311),  KFIELD(T, nCoordMode, 1, 0, -1, 12),
      KFIELD(T, bTimeToTarget, 1, 0, -1, 13),  KFIELD(T, bNoMoveX, 1, 0, -1, 14),
      KFIELD(T, bNoMoveY, 1, 0, -1, 15),       KFIELD(T, bMirrorX, 1, 0, -1, 16),
      KFIELD(T, bMirrorY, 1, 0, -1, 17),       KFIELD(T, bReverseOnTurn, 1, 0, -1, 18),
      KFIELD(T, bStopAtTarget, 1, 0, -1, 19),  KFIELD(T, bKeepFacing, 1, 162, -1, 20),
      KFIELD(T, nTimingMode, 1, 0, -1, 21),    KFIELD(T, nSpeed, 2, 0, -1, 322),
      KFIELD(T, nSpeedStep, 2, 0, -1, 323),    KFIELD(T, nDistance, 2, 0, -1, 324),
      KFIELD(T, nDistanceStep, 2, 0, -1, 325), KFIELD(T, nDistUnit, 1, 159, -1, 26),
      KFIELD(T, nRadius, 2, 0, -1, 327),       KFIELD(T, nRadiusStep, 2, 0, -1, 328),
      KFIELD(T, bInertia, 1, 0, -1, 29),       KFIELD(T, nMaxSpeed, 2, 0, -1, 330),
      KDOUBLE(T, dTurnFactor, 0, -1, 12),      KFIELD(T, bKeepMotion, 1, 162, -1, 32),
  };
  return table;
}

inline const FieldTable<cEdShot>& ShotFields() {
  using T = cEdShot;
  static const FieldTable<T> table = {
      KFIELD(T, nCount, 1, 0, -1, 1),           KFIELD(T, nFormation, 1, 0, -1, 2),
      KARRAY(T, nFormParam, 3, 2, 0, -1, 303),  KFIELD(T, nFormTarget, 1, 671, -1, 4),
      KFIELD(T, nDirection, 1, 0, -1, 5),       KFIELD(T, bAim, 1, 0, -1, 6),
      KFIELD(T, nAngle, 2, 0, -1, 307),         KFIELD(T, nAngleStep, 2, 0, -1, -308),
      KFIELD(T, bMirrorAngle, 1, 158, -1, 9),   KFIELD(T, nSpread, 2, 0, -1, 310),
      KFIELD(T, bRotate, 1, 0, -1, 11),         KFIELD(T, nVolleys, 1, 0, -1, 12),
      KFIELD(T, nVolleyX, 2, 0, -1, 313),       KFIELD(T, nVolleyXStep, 2, 0, -1, 314),
      KFIELD(T, nVolleyY, 2, 0, -1, -315),      KFIELD(T, nVolleyYStep, 2, 0, -1, 316),
      KFIELD(T, bVolleyMirrorX, 1, 0, -1, 17),  KFIELD(T, bVolleyMirrorY, 1, 0, -1, 18),
      KFIELD(T, nPicture, 2, 0, -1, 119),       KFIELD(T, nLayer, 1, 0, -1, 20),
      KFIELD(T, bInvisible, 1, 0, -1, 21),      KFIELD(T, bTakeGroup, 1, 0, -1, 22),
      KFIELD(T, nGroup, 1, 0, -1, 23),          KFIELD(T, nCarried1, 1, 0, -1, 24),
      KFIELD(T, nScale, 1, 0, -1, 25),          KFIELD(T, nCarried2, 1, 0, -1, 26),
      KFIELD(T, nTrajectory, 1, 0, -1, 27),     KARRAY(T, nTrajParam, 3, 2, 0, -1, 328),
      KFIELD(T, bFollowScroll, 1, 211, -1, 29), KFIELD(T, nSpeed, 2, 0, -1, 330),
      KFIELD(T, nSpeedStep, 2, 0, -1, 331),     KFIELD(T, bAccelerate, 1, 213, -1, 32),
      KFIELD(T, nAccel, 2, 213, -1, 333),       KFIELD(T, nAccelStep, 2, 213, -1, 334),
      KFIELD(T, nRange, 2, 0, -1, 335),         KFIELD(T, bRangeLimited, 1, 0, -1, 36),
      KFIELD(T, nRangeStep, 2, 0, -1, 337),     KFIELD(T, nRangeEnd, 1, 0, -1, 38),
      KFIELD(T, bLifeLimited, 1, 0, -1, 39),    KFIELD(T, nLife, 2, 0, -1, 340),
      KFIELD(T, nLifeStep, 2, 0, -1, 341),      KFIELD(T, bThroughBlocks, 1, 0, -1, 42),
      KFIELD(T, bPierceChara, 1, 0, -1, 43),    KFIELD(T, bPierceBlockChara, 1, 636, -1, 44),
      KFIELD(T, bErasable, 1, 0, -1, 45),       KFIELD(T, nEraseLevel, 1, 0, -1, 46),
      KFIELD(T, nPower, 4, 0, -1, 4700047),     KFIELD(T, nCarried3, 2, 0, -1, -348),
      KFIELD(T, nImpact, 1, 0, -1, 49),         KFIELD(T, nEffect, 2, 0, -1, 50),
      KFIELD(T, nItemSource, 1, 0, -1, 51),     KFIELD(T, nItemIndex, 2, 0, -1, 352),
      KFIELD(T, nBlockMode, 1, 0, -1, 53),      KFIELD(T, bUndoOnHero, 1, 0, -1, 54),
      KFIELD(T, bUndoOnChara, 1, 197, -1, 55),  KFIELD(T, nSummonPalette, 1, 0, -1, 56),
      KFIELD(T, nSummonIndex, 2, 0, -1, 357),   KFIELD(T, nSummonGroup, 1, 0, -1, 58),
      KFIELD(T, bNoScore, 1, 0, -1, 59),        KFIELD(T, bSummonFaceAway, 1, 0, -1, 60),
  };
  return table;
}

// Palette source 0 keeps validation and inheritance out of the fixtures' way.
inline const FieldTable<cEdBlock>& BlockFields() {
  using T = cEdBlock;
  static const FieldTable<T> table = {
      KFIELD(T, nPalSource, 1, 0, -1, 0),
      KFIELD(T, nPalIndex, 2, 0, -1, 302),
      KFIELD(T, nCondRule, 1, 0, 1, 3),
      KFIELD(T, bCondOnce, 1, 0, 1, 4),
      KFIELD(T, nPicture, 2, 0, 2, 305),
      KFIELD(T, nGraphicKind, 1, 0, 2, 6),
      KFIELD(T, nPose, 2, 0, 2, 307),
      KFIELD(T, nLayer, 1, 0, 3, 8),
      KFIELD(T, bInvisible, 1, 0, 4, 9),
      KFIELD(T, bOverlay, 1, 0, 5, 10),
      KFIELD(T, nOverlayTile, 2, 0, 5, 311),
      KFIELD(T, nHitKind, 1, 0, 6, 12),
      KFIELD(T, nPassGroup, 1, 0, 7, 13),
      KFIELD(T, nBlockEffect, 1, 0, 8, 14),
      KFIELD(T, nBlockEffectValue, 4, 0, 8, -1500015),
      KFIELD(T, nItemSource, 1, 0, 9, 16),
      KFIELD(T, nItemIndex, 2, 0, 9, 317),
      KFIELD(T, bProtected, 1, 0, 10, 18),
  };
  return table;
}

inline const FieldTable<cEdChara>& CharaFields() {
  using T = cEdChara;
  static const FieldTable<T> table = {
      KFIELD(T, nPalSource, 1, 0, -1, 0),
      KFIELD(T, nPalIndex, 2, 0, -1, 302),
      KFIELD(T, nCondRule, 1, 0, 4, 3),
      KFIELD(T, bCondOnce, 1, 0, 4, 4),
      KFIELD(T, nFacing, 1, 0, 5, 5),
      KFIELD(T, nCopies, 1, 0, 6, 6),
      KFIELD(T, nCopyX, 2, 0, 7, 307),
      KFIELD(T, nCopyXStep, 2, 0, 7, -308),
      KFIELD(T, nCopyY, 2, 0, 8, 309),
      KFIELD(T, nCopyYStep, 2, 0, 8, 310),
      KFIELD(T, bCopyMirrorX, 1, 0, 7, 11),
      KFIELD(T, bCopyMirrorY, 1, 0, 8, 12),
      KFIELD(T, nPicture, 2, 0, 9, 313),
      KFIELD(T, nGraphicKind, 1, 0, 9, 2),
      KFIELD(T, nBaseColumn, 2, 0, 9, 315),
      KFIELD(T, nAnimeSet, 2, 0, 10, 16),
      KFIELD(T, nZ, 1, 0, 11, 17),
      KFIELD(T, bTransparent, 1, 0, 12, 18),
      KFIELD(T, nStartEffect, 2, 0, 13, 19),
      KFIELD(T, nStartEffectParam1, 1, 196, 13, 20),
      KFIELD(T, nStartEffectParam2, 1, 0, 13, 21),
      KFIELD(T, nDeathEffect, 2, 0, 14, 22),
      KFIELD(T, nDeathEffectParam, 1, 196, 14, 23),
      KFIELD(T, bOverlay, 1, 0, 15, 24),
      KFIELD(T, nOverlayTile, 2, 0, 15, 325),
      KFIELD(T, nOperator, 1, 0, 1, 1),
      KFIELD(T, nPlayer, 1, 0, 1, 27),
      KFIELD(T, nGroup, 1, 0, 2, 28),
      KFIELD(T, nCharaId, 1, 0, 3, 29),
      KFIELD(T, nFlight, 1, 0, 17, 30),
      KFIELD(T, bFixedFacing, 1, 0, 16, 31),
      KFIELD(T, nInvincible, 1, 0, 18, 32),
      KFIELD(T, nTint, 1, 285, 18, 33),
      KFIELD(T, bBlockChara, 1, 0, 19, 34),
      KFIELD(T, nGiant, 1, 0, 20, 35),
      KFIELD(T, bFollowScroll, 1, 210, 21, 36),
      KFIELD(T, nDarkness, 1, 0, 22, 37),
      KFIELD(T, nSight, 1, 0, 22, 38),
      KFIELD(T, nMaxHp, 4, 0, 23, 3900039),
      KFIELD(T, nMaxSp, 4, 0, 24, 4000040),
      KFIELD(T, nStopEase, 2, 0, 31, 341),
      KFIELD(T, nBodyBox, 1, 201, 25, 42),
      KFIELD(T, nPower, 4, 0, 26, -4300043),
      KFIELD(T, nImpact, 1, 0, 27, 44),
      KFIELD(T, nHitEffect, 2, 0, 28, 45),
      KFIELD(T, nDefence, 4, 168, 29, 4600046),
      KFIELD(T, nImpactResist, 1, 0, 30, 47),
      KFIELD(T, nScore, 4, 0, 34, 4800048),
      KFIELD(T, nEditorSetting, 1, 0, 35, 49),
      KFIELD(T, bActivation, 1, 0, 33, 50),
      KFIELD(T, nActivationSwitch, 2, 0, 33, 351),
      KFIELD(T, nActivityRange, 1, 0, 32, 52),
      KFIELD(T, bStayActive, 1, 0, 32, 53),
  };
  return table;
}

inline const FieldTable<cEdItem>& ItemFields() {
  using T = cEdItem;
  static const FieldTable<T> table = {
      KFIELD(T, nPalSource, 1, 0, -1, 0),    KFIELD(T, nPalIndex, 2, 0, -1, 302), KFIELD(T, nCondRule, 1, 0, 1, 3),
      KFIELD(T, bCondOnce, 1, 0, 1, 4),      KFIELD(T, nOffsetX, 2, 0, 2, -305),  KFIELD(T, nOffsetY, 2, 0, 3, 306),
      KFIELD(T, nPicture, 2, 0, 4, 307),     KFIELD(T, nGraphicKind, 1, 0, 4, 8), KFIELD(T, nPose, 2, 0, 4, 309),
      KFIELD(T, nLayer, 1, 0, 5, 10),        KFIELD(T, bInvisible, 1, 0, 6, 11),  KFIELD(T, bOverlay, 1, 0, 7, 12),
      KFIELD(T, nOverlayTile, 2, 0, 7, 313), KFIELD(T, bPopUp, 1, 0, 10, 14),     KFIELD(T, nTakeMode, 1, 0, 9, 15),
      KFIELD(T, nScale, 1, 0, 8, 16),        KFIELD(T, nSound, 2, 0, 11, 17),
  };
  return table;
}

}  // namespace datatest
