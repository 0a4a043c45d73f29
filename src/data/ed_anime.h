#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"

// One frame of a cell animation: which cell of the bitmap shows and for how long.
class cEdAnimeFrame : public cData {
 public:
  cEdAnimeFrame();
  cEdAnimeFrame(const cEdAnimeFrame&) = default;
  cEdAnimeFrame& operator=(const cEdAnimeFrame&) = default;

  // A frame added to a list shows for one tenth of a second.
  static cEdAnimeFrame ListDefault();

  void RegisterFields(std::int32_t version) override;

  std::int32_t nCell = 0;
  std::int32_t nDuration = 0;  // tenths of a second (6 frames of 60 each)
  std::int32_t bHold = 0;      // from the first frame that has it, the rest runs held
};

// A named cell animation (the entries of Anime.dat and the motions of an animation set).
class cEdAnime : public cData {
 public:
  cEdAnime();
  cEdAnime(const cEdAnime&) = default;
  cEdAnime& operator=(const cEdAnime&) = default;

  // The state of a new animation: one frame of one tenth of a second on cell 0.
  void Reset();

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  // Kept for the authoring tool; nothing in the game reads them.
  std::int16_t nEditor1 = 0;
  std::int8_t nEditor2 = 0;
  std::int16_t nEditor3 = 0;
  std::string strName;
  cVector<cEdAnimeFrame> Frames;
};
