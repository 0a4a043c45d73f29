#include "data/world_map.h"

#include <algorithm>
#include <utility>

#include "core/message_boxes.h"

cWorldMap WorldMap;

namespace {

constexpr std::int32_t kNeedTotalFrom = 209;
constexpr int kTileKinds = 10;
constexpr int kFirstOpenTile = 5;

// How many times (width - 1) halves before it reaches 0: the row pitch's power of two.
std::int32_t PitchShiftFor(std::int32_t width) {
  std::int32_t shift = 0;
  for (std::int32_t rest = width - 1; rest > 0; rest /= 2) ++shift;
  return shift;
}

bool LayoutFits(std::int32_t width, std::int32_t height, std::int32_t shift) {
  if (width < 1 || height < 1 || shift < 0 || shift > kMaxMapPitchShift) return false;
  return (std::int64_t{1} << shift) >= width && (std::int64_t{height} << shift) <= kMaxMapCells;
}

}  // namespace

cMapTile::cMapTile() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cMapTile::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&nTileParam);
  AddInt(&bBlocked);
  AddInt(&nGraphic);
  AddStrings(&strTileNote);
  AddStrings(&strTileName);
}

cMapEvent::cMapEvent() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cMapEvent::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  AddInt(&nKind);
  AddInt(&nIcon);
  AddInt(&nStage);
  AddInt(&bFreeStand);
  AddInt(&bReplayable);
  AddInt(&nAfterClear);
  AddInt(&nNeedStage);
  AddInt(&nVarNo);
  AddInt(&nVarValue);
  AddInt(&nVarOp);
  if (version >= kNeedTotalFrom) AddInt(&nNeedTotal);
  AddStrings(&strStageTitle);
  AddStrings(&strStageFile);
}

bool cMapEvent::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  if (in.Version() < kNeedTotalFrom) nNeedTotal = 0;
  return true;
}

cMapPoint::cMapPoint() {
  RegisterFields(CurrentVersion);
  Reset();
}

void cMapPoint::Reset() {
  Clear();
  Events.assign(1, cMapEvent());
}

void cMapPoint::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&nX);
  AddInt(&nY);
  AddStrings(&strPointName);
}

bool cMapPoint::Read(RecordReader& in) { return cData::Read(in) && ReadRecordList(Events, in); }

void cMapPoint::Write(RecordWriter& out) {
  cData::Write(out);
  WriteRecordList(Events, out);
}

cWorldMap::cWorldMap() {
  RegisterFields(CurrentVersion);
  SetDefaults();
}

void cWorldMap::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&nWidth);
  AddInt(&nHeight);
  AddInt(&nPitch);
  AddInt(&nPitch_Shift);
  AddInt(&nStartX);
  AddInt(&nStartY);
  AddInt(&nBackColor);
  AddInt(&bBackBitmap);
  AddStrings(&strMapName);
  AddStrings(&strBackBitmap);
}

bool cWorldMap::Read(RecordReader& in) {
  if (!cData::Read(in) || !ReadRecordList(Tiles, in)) return false;
  std::int32_t cells = 0;
  if (!in.ReadCount(cells, 4)) return false;
  Cells.assign(static_cast<std::size_t>(cells), 0);
  if (!Cells.empty() && !in.ReadElements(Cells.data(), 4, Cells.size())) return false;
  if (!ReadRecordList(Points, in) || !ReadRecordList(PointPresets, in)) return false;
  // The scene indexes the cells with the stored pitch; a pitch that cannot hold a row, or a
  // size without cells, would send every lookup astray.
  if (!LayoutFits(nWidth, nHeight, nPitch_Shift) || nPitch != (1 << nPitch_Shift)) {
    return in.Fail("world map size or row pitch out of range");
  }
  const std::size_t needed = static_cast<std::size_t>(nHeight) << nPitch_Shift;
  if (Cells.size() < needed) Cells.resize(needed, 0);
  Normalize();
  return true;
}

void cWorldMap::Write(RecordWriter& out) {
  Normalize();
  cData::Write(out);
  WriteRecordList(Tiles, out);
  out.WriteU32(static_cast<std::uint32_t>(Cells.size()));
  if (!Cells.empty()) out.WriteElements(Cells.data(), 4, Cells.size());
  WriteRecordList(Points, out);
  WriteRecordList(PointPresets, out);
}

void cWorldMap::SetDefaults() {
  Clear();
  strMapName = "ワールド";
  nStartX = 9;
  nStartY = 7;
  nBackColor = 16;
  bBackBitmap = 0;
  Tiles.assign(kTileKinds, cMapTile());
  for (int i = 0; i < kTileKinds; ++i) {
    const bool open = i >= kFirstOpenTile;
    Tiles[i].nGraphic = i;
    Tiles[i].bBlocked = open ? 0 : 1;
    Tiles[i].strTileName = open ? "通行可" : "通行不可";
  }
  Cells.clear();
  SetSize(20, 15);
  Points.clear();
  PointPresets.assign(1, cMapPoint());
  PointPresets[0].strPointName = "デフォルト";
}

int cWorldMap::SetSize(std::int32_t width, std::int32_t height) {
  if (width == 0 || height == 0) {
    DebugBoxF("SetSize()で 0 を指定しました！");
    return 0;
  }
  const std::int32_t shift = PitchShiftFor(width);
  if (!LayoutFits(width, height, shift)) return 0;

  cVector<std::int32_t> before;
  const std::int32_t beforeWidth = nWidth;
  const std::int32_t beforeHeight = nHeight;
  const std::int32_t beforeShift = nPitch_Shift;
  // Cells are carried over only from a layout that addresses them.
  const bool carry = !Cells.empty() && beforeShift >= 0 && beforeShift <= kMaxMapPitchShift;
  if (carry) {
    DebugBoxF("nBeforeWidth = %d,nBeforePitch = %d,nBeforePitch_Shift = %d", beforeWidth, nPitch, beforeShift);
    before = std::move(Cells);
  }

  nWidth = width;
  nHeight = height;
  nPitch_Shift = shift;
  nPitch = 1 << shift;
  Cells.assign(static_cast<std::size_t>(height) << shift, 0);
  if (carry) {
    const std::int32_t rows = std::min(beforeHeight, height);
    const std::int32_t columns = std::min(beforeWidth, width);
    for (std::int32_t y = 0; y < rows; ++y) {
      for (std::int32_t x = 0; x < columns; ++x) Cells[(y << shift) + x] = before[(y << beforeShift) + x];
    }
  }
  return 1;
}

void cWorldMap::Normalize() {
  if (nStartX >= nWidth) nStartX = nWidth - 1;
  if (nStartY >= nHeight) nStartY = nHeight - 1;
  std::erase_if(Points, [this](const cMapPoint& point) { return point.nX >= nWidth || point.nY >= nHeight; });
}

cMapPoint* cWorldMap::FindPointXY(std::int32_t x, std::int32_t y) {
  for (cMapPoint& point : Points) {
    if (point.nX == x && point.nY == y) return &point;
  }
  return nullptr;
}

bool cWorldMap::HasStage(const std::string& key) const {
  for (const cMapPoint& point : Points) {
    for (const cMapEvent& event : point.Events) {
      if (event.nKind != 0) continue;
      std::string name = event.strStageFile;
      const std::size_t dot = name.rfind('.');
      if (dot != std::string::npos) name.resize(dot);
      const std::size_t dash = name.rfind("-1");
      if (dash != std::string::npos) {
        name[dash] = '.';
        name.resize(dash + 1);
      } else {
        name += '.';
      }
      if (name == key) return true;
    }
  }
  return false;
}
