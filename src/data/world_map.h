#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"

// A tile kind of the world map.
class cMapTile : public cData {
 public:
  cMapTile();
  cMapTile(const cMapTile&) = default;
  cMapTile& operator=(const cMapTile&) = default;

  void RegisterFields(std::int32_t version) override;

  std::int32_t nTileParam = 0;  // for the authoring tool
  std::int32_t bBlocked = 0;    // the cursor cannot move onto it (unless a point's event says so)
  std::int32_t nGraphic = 0;    // cell of the tile sheet: 5 columns of 32 × 32
  std::string strTileNote;      // for the authoring tool
  std::string strTileName;      // for the authoring tool
};

// One event of a point: what the point is (a stage entry, a road or a wall) while the event
// applies, and the conditions under which it applies.
class cMapEvent : public cData {
 public:
  cMapEvent();
  cMapEvent(const cMapEvent&) = default;
  cMapEvent& operator=(const cMapEvent&) = default;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;

  std::int32_t nKind = 0;  // 0 stage entry, 1 road, 2 wall
  std::int32_t nIcon = 0;  // row of the point sheet
  std::int32_t nStage = 0;
  std::int32_t bFreeStand = 0;
  std::int32_t bReplayable = 0;
  std::int32_t nAfterClear = 0;  // 0 nothing, 1 a new lap of the story, 2 back to the title
  std::int32_t nNeedStage = 0;   // above 0: applies once that stage is cleared
  std::int32_t nVarNo = 0;       // not 0: applies while the variable passes the test
  std::int32_t nVarValue = 0;
  std::int32_t nVarOp = 0;      // comparison code of CompareByOp
  std::int32_t nNeedTotal = 0;  // applies once the cleared stages' values reach it
  std::string strStageTitle;
  std::string strStageFile;
};

// A point on a cell of the map, with its events in the order they are tried.
class cMapPoint : public cData {
 public:
  cMapPoint();
  cMapPoint(const cMapPoint&) = default;
  cMapPoint& operator=(const cMapPoint&) = default;

  // At (0, 0), unnamed, with exactly one new event: a new point and one added to a list.
  void Reset();

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  std::int32_t nX = 0;
  std::int32_t nY = 0;
  std::string strPointName;  // for the authoring tool
  cVector<cMapEvent> Events;
};

struct MapCell {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// The world map of story mode (data\WorldMap.dat): a grid of tile kinds with points on it.
// The cell at (x, y) is Cells[(y << nPitch_Shift) + x]; a row holds nPitch entries.
class cWorldMap : public cData {
 public:
  cWorldMap();
  cWorldMap(const cWorldMap&) = default;
  cWorldMap& operator=(const cWorldMap&) = default;

  void RegisterFields(std::int32_t version) override;
  // Fails on a size or row pitch that cannot address the cells; a short cell list is filled
  // up with tile 0.
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  void SetDefaults();
  // Resizes the grid, keeping the cells that stay inside it. 0 (nothing changed) for a size
  // below 1 or beyond what a map may have.
  int SetSize(std::int32_t width, std::int32_t height);
  // Keeps the start cell and the points on the map.
  void Normalize();

  // The first point on that cell, or none.
  cMapPoint* FindPoint(const MapCell& cell) { return FindPointXY(cell.x, cell.y); }
  cMapPoint* FindPointXY(std::int32_t x, std::int32_t y);
  // Whether a stage entry of the map plays the stage of that key ("name." for the single
  // file name.stg4_* and for the parts name-1, name-2, ...).
  bool HasStage(const std::string& key) const;

  std::int32_t nWidth = 0;
  std::int32_t nHeight = 0;
  std::int32_t nPitch = 0;
  std::int32_t nPitch_Shift = 0;
  std::int32_t nStartX = 0;
  std::int32_t nStartY = 0;
  std::int32_t nBackColor = 0;  // palette index filling the screen
  std::int32_t bBackBitmap = 0;
  std::string strMapName;
  std::string strBackBitmap;
  cVector<cMapTile> Tiles;
  cVector<std::int32_t> Cells;
  cVector<cMapPoint> Points;
  cVector<cMapPoint> PointPresets;  // for the authoring tool
};

// Limits of a map: rows of at most 1 << 16 cells, and no more cells than a map could use.
constexpr std::int32_t kMaxMapPitchShift = 16;
constexpr std::int64_t kMaxMapCells = std::int64_t{1} << 24;

extern cWorldMap WorldMap;
