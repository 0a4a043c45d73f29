#pragma once

#include <cstdint>

#include "core/record_base.h"
#include "data/ed_chara.h"

// One hero's status kept between stages: a copy of its definition holding the carried
// properties, and the values that are not the definition's.
class cSaveChara : public cData {
 public:
  cSaveChara();
  cSaveChara(const cSaveChara&) = default;
  cSaveChara& operator=(const cSaveChara&) = default;

  void RegisterFields(std::int32_t version) override;
  // The five numbers, then the definition as its own record.
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  cEdChara m_Chara;
  std::int32_t m_nHp = 0;
  std::int32_t m_nSp = 0;
  std::int32_t m_nTime = 0;
  std::int32_t m_nLivesKept = 0;
  std::int32_t m_nBgmKept = 0;
};

// What a clear hands over of a hero: its definition, its HP and SP, the character effect running
// on it, the time left, the lives and the music playing.
struct HeroStatusValues {
  const cEdChara& definition;
  std::int32_t hp = 0;
  std::int32_t sp = 0;
  std::uint16_t effect = 0;
  std::int32_t effectParam1 = 0;
  std::uint8_t effectParam2 = 0;
  std::int32_t timeLeft = 0;
  std::int32_t lives = 0;
  std::int32_t music = 0;
};

// The 25 carried groups (graphic, animation set, ..., flows, time, lives, music).
inline constexpr int kHeroStatusGroups = 25;
enum : int { kCarryHp = 11, kCarrySp = 12, kCarryTime = 22, kCarryLives = 23, kCarryMusic = 24 };

// Group k of the values into the kept status.
void StoreHeroGroup(int group, const HeroStatusValues& from, cSaveChara& to);
// Group k of the kept status into a hero definition, or (time and music) into the live stage's
// time limit and music, or (lives) into the lives; HP and SP are not a definition's.
void ApplyHeroGroup(int group, const cSaveChara& from, cEdChara& definition, std::int32_t& timeLimit,
                    std::int32_t& music, std::int32_t& lives);
