#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "data/ed_shot.h"
#include "world/game_obj.h"
#include "world/hit_box.h"

class cCharaBase;
struct DDSURFACEDATA;
class cScenePlay;

// The command kinds that create objects through the volley code.
enum : int { kMakeShot = 11, kMakeSword = 12, kMakeBlock = 13, kMakeChara = 14, kMakeItem = 15 };

// One point of a volley as the formation lays it out, handed to the object it becomes.
struct ShotSpawn {
  std::int32_t volley = 0;
  double speed = 0;  // pixels per frame
  std::int32_t angle = 0;
  std::int32_t range = 0;  // half blocks
  std::int32_t life = 0;   // tenths of a second
  double vx = 0, vy = 0;   // pixels per frame
  std::int32_t x = 0, y = 0;
  std::int32_t rowX = 0, rowY = 0, rowStepX = 0, rowStepY = 0;
  std::int32_t w = 16, h = 16;
  std::int32_t offX = 0, offY = 0;
  std::int32_t dirCode = 0;
};

// A projectile, or a sword (which stays on its owner and shows the parts of its type). Owner,
// target and the hit list are object numbers, looked up when used, so a shot never holds on
// to a character that has gone.
class cShotObj : public cGameObj {
 public:
  cShotObj();
  cShotObj(const cShotObj&) = default;
  cShotObj& operator=(const cShotObj&) = default;

  void ScaleBoxes(int scale) override;
  void KeepFootOnScale(int newScale, int oldScale) override;
  void UpdateBoxX() override;
  void UpdateBoxY() override;

  void Init(int number, const cCharaBase& shooter, int kind, const cEdShot& record, const ShotSpawn& spawn);
  // One sub-step of its own logic; non-zero when it must go.
  int Update();
  int SwordStep();
  int MoveX();
  int MoveY();
  void ClampToMap();
  bool TouchesTerrain() const;
  void Draw(DDSURFACEDATA* target, bool step);
  bool IsSword() const { return bIsShot == 0; }
  WorldBox HitBoxOf() const { return WorldBox{Box.left, Box.top, Box.right, Box.bottom}; }
  WorldBox CollisionBox() const { return WorldBox{x, y, right, bottom}; }
  bool HasHit(int number) const;
  // Points the acceleration along (vx, vy) with the magnitude dAccel.
  void AimAcceleration(double dirX, double dirY);

  std::int32_t nOwner = -1;
  std::int32_t bIsShot = 1;
  std::int32_t nRangeTimer = 0;
  std::int32_t nLifeTimer = 0;
  std::int32_t nStepCount = 0;
  std::int32_t nPart = 0;
  double dAccel = 0;
  double dTrajSpeed = 0;
  double dBaseVx = 0, dBaseVy = 0;
  std::int32_t bAccelerating = 0;
  std::int32_t nChangeTime = 0;
  std::int32_t nHomingEnd = 0;
  std::int32_t bTrajDone = 0;
  double dWavePhase = 0;
  double dWaveZero = 0;
  double dWaveNy = 0, dWaveNx = 0;
  double dWaveAmplitude = 0;  // the first parameter in pixels, once the wave has started
  HitBox Box;
  cVector<std::int32_t> HitList;
  cEdShot Rec;
  std::int32_t nTarget = -1;
  std::int32_t bRemoved = 0;  // taken out during a hit pass; its node goes when the pass ends

 private:
  void CarriedSpeed();
  void RunTrajectory();
  int Distance(int halfBlocks) const;
  bool Solve(const cCharaBase& aimed, double& outVx, double& outVy);
  cCharaBase* Aimed(int kind, int groupParam);
};

// The shots' animation table: 0 holds frame 0, 1 alternates frames 0 and 1.
const AnimeStepTable& ShotAnimes();

// Appends a copy to the scene's shot list and links it into its group's list; the copy.
cShotObj& AddShotObj(cScenePlay& scene, const cShotObj& shot);
