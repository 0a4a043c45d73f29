#pragma once

#include <cstdint>

#include "gfx/anime_player.h"

class cStageParam;

// Where an object's picture lies on screen and how it sits against the collision box.
struct ObjRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  std::int32_t offX = 0, offY = 0;  // from the box's left/top back to the picture's
  std::int32_t width = 0, height = 0;
  std::int32_t baseOffX = 0, baseOffY = 0, baseWidth = 0, baseHeight = 0;  // at scale 1
};

// What a movement command hands the object: its aim and where the velocity goes.
struct MoveCommandState {
  double speed = 0;
  double targetOffsetX = 0, targetOffsetY = 0;
  std::int32_t bNoMoveX = 0, bNoMoveY = 0;
  std::int32_t bStopAtTarget = 0;
  std::int32_t bStraight = 0;
  double vx = 0, vy = 0;
  std::int32_t direction = 0;
};

constexpr std::int32_t kLifetimeUnlimited = 2147483647;

// Where a character sits in the play scene's indexes. A copy is a new object that no index
// knows yet: copying gives empty slots.
struct IndexSlots {
  std::int32_t platform = -1;
  std::int32_t body = -1;
  std::uint64_t listKey = 0;
  std::uint64_t groupKey = 0;

  IndexSlots() = default;
  IndexSlots(const IndexSlots&) {}
  IndexSlots& operator=(const IndexSlots&) { return *this; }
  bool Any() const { return platform >= 0 || body >= 0; }
};

class cGameObj;
// Tells the indexes that an object's box changed.
void NotifyObjectMoved(cGameObj& object);

// The base of every moving object on a stage. Positions in map pixels, speeds per sub-step.
class cGameObj {
 public:
  cGameObj() = default;
  cGameObj(const cGameObj&) = default;
  cGameObj& operator=(const cGameObj&) = default;
  virtual ~cGameObj() = default;

  virtual void CopyFrom(const cGameObj& other) { cGameObj::operator=(other); }
  virtual void SetScale(int newScale, int oldScale);
  virtual void ScaleBoxes(int /*scale*/) {}
  virtual void KeepFootOnScale(int /*newScale*/, int /*oldScale*/) {}
  virtual void UpdateBoxX() {}
  virtual void UpdateBoxY() {}
  virtual void SetCenter(int /*x*/, int /*y*/) {}
  virtual void SnapToTarget(int /*x*/, int /*y*/, MoveCommandState& /*command*/) {}
  virtual void SetCenterX(int /*x*/) {}
  virtual void SnapToTargetX(int /*x*/, MoveCommandState& /*command*/) {}
  virtual void SetCenterY(int /*y*/) {}
  virtual void SnapToTargetY(int /*y*/, MoveCommandState& /*command*/) {}

  void Setup(int number, int operatorKind, int playerNo, int group, int graphic, const AnimeStepTable* animes,
             int firstAnime, int offX, int offY, int w, int h, int picW, int picH, int facing, int flight,
             int groupIndex);
  void SetFlightKind(int kind);
  virtual int UpdateScreenRect();
  bool IsOnScreen() const;
  bool IsOnScreenAxes(bool ignoreX, bool ignoreY) const;
  bool IsInStage(bool wholeMap) const;
  bool IsOutOfRange(const cStageParam& p) const;
  int ClampX(int mode);
  int ClampY(int mode);
  int MoveX(int mode);
  int MoveY(int mode);
  void ApplyObjGravity();
  void Decelerate(double& speed, int enabled) const;
  int FacingSign() const { return nFacing == 1 ? 1 : -1; }
  bool TouchesBlock() const;
  void MoveTargetPoint(double& x, double& y, const MoveCommandState& command) const;
  // The three aims; target is the object number of the aimed-at character or -1.
  void ApproachXY(MoveCommandState& command, int target, double x, double y);
  void ApproachX(MoveCommandState& command, int target, double x);
  void ApproachY(MoveCommandState& command, int target, double y);
  // The horizontal velocity toward x, without moving.
  double SolveApproachX(const MoveCommandState& command, int target, double x) const;
  // x moves back by the growth of half the base width, so that the centre stays.
  void KeepCentreX(int newScale, int oldScale);
  bool OverlapsRect(double l, double t, double r, double b) const {
    return x <= r && right >= l && y <= b && bottom >= t;
  }
  void RecomputeCellsX();
  void RecomputeCellsY();

  std::int32_t nNumber = 0;
  std::int32_t nLifetime = kLifetimeUnlimited;
  std::int32_t nFacing = 0;
  std::int16_t nGroupIndex = 0;
  std::int32_t nGraphic = 0;
  cAnimePlayer Anime;
  ObjRect Rect;
  std::int32_t nOperator = 0;  // 0 the player, 1 the computer
  std::int32_t nPlayerNo = 0;
  std::int32_t nGroup = 0;
  double x = 0, y = 0, right = 0, bottom = 0;
  std::int32_t nCellL = 0, nCellT = 0, nCellR = 0, nCellB = 0;
  double vx = 0, vy = 0;
  double ax = 0, ay = 0;
  double dDecel = 0;
  std::int32_t bDecelAx = 0, bDecelAy = 0;
  std::int32_t bFollowScroll = 0;
  std::int32_t nWidth = 0, nHeight = 0;
  std::int32_t nBaseWidth = 0, nBaseHeight = 0;
  std::int32_t bNoGravity = 0;
  std::uint8_t nVControl = 1;  // 0 passes blocks, 1 collides, 2 dies on a solid cell
  std::int32_t bPresent = 0;
  std::int32_t bOnScreen = 0;
  IndexSlots Slots;
};

// The record of the distance condition's one-axis test.
struct RangeTest {
  int ownPos = 0, ownSize = 0, otherStart = 0, otherEnd = 0, depth = 0, back = 0, front = 0, wholeSpan = 0;
  int useOtherHeight = 0;
  const cGameObj* other = nullptr;
};
bool CheckRange(const RangeTest& r, bool switchOn);
