#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"

// One frame of an effect: a cell of the effect's bitmap and how long it shows.
class cEdEffectFrame : public cData {
 public:
  cEdEffectFrame();
  cEdEffectFrame(const cEdEffectFrame&) = default;
  cEdEffectFrame& operator=(const cEdEffectFrame&) = default;

  // A frame added to a list shows for one tenth of a second.
  static cEdEffectFrame ListDefault();

  void RegisterFields(std::int32_t version) override;

  std::int32_t nCell = 0;
  std::int32_t nDuration = 0;  // tenths of a second
};

// An animated picture effect (Effect.dat): a bitmap of equal cells in one row and its frames.
class cEdEffect : public cData {
 public:
  cEdEffect();
  cEdEffect(const cEdEffect&) = default;
  cEdEffect& operator=(const cEdEffect&) = default;

  // Cells of 32 × 32 dots, not scalable; the frames stay as they are.
  void Reset();

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  std::int32_t nEditor = 0;  // kept for the authoring tool
  std::int32_t nCellWidth = 0;
  std::int32_t nCellHeight = 0;
  std::int32_t bScalable = 0;  // shown at a scale above 1, it is drawn that much larger
  std::string strName;
  std::string strBitmap;
  cVector<cEdEffectFrame> Frames;
};
