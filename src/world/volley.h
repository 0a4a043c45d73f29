#pragma once

#include <cstdint>
#include <vector>

#include "world/shot_obj.h"

class cCharaBase;
class cEdShot;

// What the shot and summon commands hand the volley code.
struct VolleyCommand {
  std::int32_t kind = kMakeShot;  // 11 shot, 13 block, 14 character, 15 item
  std::int32_t firstKey = 0;      // the flow's first pressed direction key, for direction 12
  // When set, each point is recorded here instead of becoming an object.
  std::vector<ShotSpawn>* record = nullptr;
};

// The direction code of a record's direction field for a shooter of that facing.
int ResolveDirCode(int direction, int facing, int firstKey);
// The base angle in degrees of a direction code.
int BaseAngle(int code);

void FireShots(cCharaBase& shooter, const VolleyCommand& command, const cEdShot& record);
void SummonChara(cCharaBase& summoner, const VolleyCommand& command, const cEdShot& record);
void SummonItem(cCharaBase& summoner, const VolleyCommand& command, const cEdShot& record);
void SummonBlock(cCharaBase& summoner, const VolleyCommand& command, const cEdShot& record);
// Lays out the points of one volley with the record's formation and spawns each.
void RunFormation(cCharaBase& shooter, const VolleyCommand& command, const cEdShot& record, ShotSpawn& spawn);
void SpawnOne(const ShotSpawn& point, cCharaBase& shooter, const VolleyCommand& command, const cEdShot& record);
// The angle from the map point (x, y) towards the shooter's target.
int AimAngle(double x, double y, cCharaBase& shooter, const cEdShot& record, ShotSpawn& spawn);
