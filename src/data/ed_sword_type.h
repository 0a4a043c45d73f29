#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"

// One part of a sword: a rectangle of the sword bitmap shown for a while at a position
// relative to its owner.
class cEdSwordPart : public cData {
 public:
  // A new part mirrors its x offset when the owner faces right.
  cEdSwordPart();
  cEdSwordPart(const cEdSwordPart&) = default;
  cEdSwordPart& operator=(const cEdSwordPart&) = default;

  void RegisterFields(std::int32_t version) override;

  std::int32_t nOffsetX = 0;  // dots, times the sword's scale
  std::int32_t nOffsetY = 0;
  std::int32_t bMirrorX = 0;  // facing right: the offset is subtracted instead of added
  std::int32_t bMirrorY = 0;
  std::int32_t nAttach = 0;  // 0 in front of the owner, 1 behind (turned round), 2 above, 3 below
  std::int32_t nRectX = 0;
  std::int32_t nRectY = 0;
  std::int32_t nRectWidth = 0;
  std::int32_t nRectHeight = 0;
  std::int32_t nDuration = 0;  // tenths of a second
};

// A sword that characters swing (SwordType.dat): two bitmaps, one per facing, and its parts
// in the order they show.
class cEdSwordType : public cData {
 public:
  cEdSwordType();
  cEdSwordType(const cEdSwordType&) = default;
  cEdSwordType& operator=(const cEdSwordType&) = default;

  // A new sword: one part of one tenth of a second.
  void Reset();

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  std::int32_t nEditor = 0;  // kept for the authoring tool
  std::string strName;
  std::string strBitmapLeft;
  std::string strBitmapRight;
  cVector<cEdSwordPart> Parts;
};
