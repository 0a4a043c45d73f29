#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"

// A character bitmap whose cells may be larger than one block (Bmp_CharaExc.dat).
class cEdBmpCharaExc : public cData {
 public:
  cEdBmpCharaExc();
  cEdBmpCharaExc(const cEdBmpCharaExc&) = default;
  cEdBmpCharaExc& operator=(const cEdBmpCharaExc&) = default;

  void RegisterFields(std::int32_t version) override;
  // Also keeps the cell size within 1..16 blocks: outside it a sheet row of 16 blocks holds
  // no whole cell (or a division by zero).
  bool Read(RecordReader& in) override;

  // Top-left corner in dots of cell n: cells of 32 × 32 dots, 16 to a row; large cells of
  // nCellSize blocks square, 16 / nCellSize to a row.
  void CellOrigin(std::int32_t cell, std::int32_t& x, std::int32_t& y) const;

  std::int32_t nEditor = 0;  // kept for the authoring tool
  std::int32_t bLargeCell = 0;
  std::int32_t nCellSize = 0;  // in blocks of 32 dots
  std::string strName;
  std::string strBitmap;
};

constexpr std::int32_t kMinCellSize = 1;
constexpr std::int32_t kMaxCellSize = 16;
