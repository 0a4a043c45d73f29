#include "data/ed_bmp_chara_exc.h"

#include <algorithm>

#include "data/database_versions.h"

namespace {

// The character bitmaps gained the editor field one version after the other records.
constexpr std::int32_t kCharaEditorFieldFrom = 152;
constexpr std::int32_t kLargeCellFrom = 172;
constexpr std::int32_t kBlockDots = 32;
constexpr std::int32_t kSheetBlocks = 16;

}  // namespace

cEdBmpCharaExc::cEdBmpCharaExc() {
  RegisterFields(CurrentVersion);
  Clear();
  nCellSize = 2;
}

void cEdBmpCharaExc::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  if (version >= kCharaEditorFieldFrom) AddInt(&nEditor);
  if (version >= kLargeCellFrom) {
    AddInt(&bLargeCell);
    AddInt(&nCellSize);
  }
  AddStrings(&strName);
  AddStrings(&strBitmap);
}

bool cEdBmpCharaExc::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  if (in.Version() < kEditorFieldKeptFrom) nEditor = 0;
  nCellSize = std::clamp(nCellSize, kMinCellSize, kMaxCellSize);
  return true;
}

void cEdBmpCharaExc::CellOrigin(std::int32_t cell, std::int32_t& x, std::int32_t& y) const {
  const std::int32_t size = bLargeCell ? std::clamp(nCellSize, kMinCellSize, kMaxCellSize) : 1;
  const std::int32_t perRow = kSheetBlocks / size;
  x = (cell % perRow) * size * kBlockDots;
  y = (cell / perRow) * size * kBlockDots;
}
