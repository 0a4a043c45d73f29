#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"
#include "data/ed_anime.h"

// A named set of animations: the motions of a character (motion n is its animation number n)
// and the picture-column offsets added for its states.
class cEdAnimeSet : public cData {
 public:
  cEdAnimeSet();
  cEdAnimeSet(const cEdAnimeSet&) = default;
  cEdAnimeSet& operator=(const cEdAnimeSet&) = default;

  // The default set: offsets 4, 8 and 0 and exactly the four standard motions.
  void Reset();

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  std::int32_t nInvincibleOffset = 0;  // added while the character is invincible
  std::int32_t nBlockOffset = 0;       // added for a block character
  std::int32_t nFlyingOffset = 0;      // added for a flying character
  std::string strName;
  cVector<cEdAnime> Motions;

 private:
  // Exactly four motions: surplus cut from the end, missing ones new animations.
  void KeepFourMotions();
};

// Motion numbers of the standard motions.
constexpr int kStandardMotionCount = 4;
