#pragma once

#include <cstdint>
#include <string>

struct DDSURFACEDATA;

// What a message is made with: the message command's fields, the item pickup's and the
// extra-life sign's.
struct MessageParams {
  std::int32_t kind = 1;  // 0 timer only, 1 text, 2 rising item picture, 3 rising extra-life sign
  std::string text;
  std::int32_t value1 = 0, value2 = 0, value3 = 0;  // kind 2: graphic kind, index and parameter
  std::int32_t positionMode = 0;
  std::int32_t cellX = 0, cellY = 0;
  std::int32_t offsetX = 0, offsetY = 0;
  std::int32_t clamp = 0;
  std::int32_t fixed = 0;
  std::int32_t durationKind = 0;  // 2: limited to time frames
  std::int32_t time = 0;
  std::int32_t countWhenPaused = 0;
  std::int32_t owner = -1;
  std::int32_t noOpening = 0;
  std::int32_t expand = 0;
  std::int32_t refresh = 0;
  std::int32_t refreshInterval = 0;
  std::int32_t frame = 0;
  std::int32_t extra1 = 0, extra2 = 0;
  std::int32_t deferSurface = 0;
};

// A text, picture or sign over the play field for a while. A text message owns a surface of
// the play scene's message surfaces, released when the message is over or destroyed.
class cMessageObj {
 public:
  cMessageObj() = default;
  ~cMessageObj();
  cMessageObj(const cMessageObj& other);
  cMessageObj& operator=(const cMessageObj& other);

  void Init(const MessageParams& params);
  bool CreateSurface();
  void DeleteSurface();
  void DrawText(DDSURFACEDATA* surface);
  // One frame: count, refresh, place and draw; 1 when it is over.
  int Update(DDSURFACEDATA* target, bool paused);

  DDSURFACEDATA* pSurface = nullptr;
  std::int32_t nKind = 0;
  std::string strText;
  std::string strSource;
  std::int32_t nValue1 = 0, nValue2 = 0, nValue3 = 0;
  std::int32_t bExpand = 0;
  std::int32_t bRefresh = 0;
  std::int32_t nRefreshInterval = 0;
  std::int32_t bFrame = 0;
  std::int32_t nPositionMode = 0;
  std::int32_t nCellX = 0, nCellY = 0;
  std::int32_t nOffsetX = 0, nOffsetY = 0;
  std::int32_t nWidth = 0, nHeight = 0;
  std::int32_t bClamp = 0;
  std::int32_t nDurationKind = 0;
  std::int32_t bFixed = 0;
  std::int32_t bStored = 0, nStoredX = 0, nStoredY = 0;
  std::int32_t nExtra1 = 0, nExtra2 = 0;
  std::int32_t nOwner = -1;
  std::int32_t nTimeLeft = 0;
  std::int32_t bCountWhenPaused = 0;
  std::int32_t bOpening = 0;
  double dOpening = 0;
  // Where the last update placed it on screen (before a picture's rise).
  std::int32_t nX = 0, nY = 0;
  std::int32_t nDrawY = 0;  // where a picture or sign is drawn, risen by its age

 private:
  bool Place(int& x, int& y);
};

// Replaces the "#" escapes of common and stage variables in place.
void ExpandTextVariables(std::string& text);
// The size of a text in the message font, with a pixel of margin on every side.
void MeasureText(int& width, int& height, const std::string& text);
