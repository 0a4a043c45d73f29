#include "world/message_obj.h"

#include "core/close_request.h"
#include "core/sjis.h"
#include "core/strings.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/game_fonts.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "world/chara_draw.h"
#include "world/scene_play.h"
#include "core/world_math.h"

namespace {

cScenePlay& Scene() { return *PlaySceneGlobal; }

Font& MessageFont() { return GameFonts[0]; }

// The sheet of the small signs; the extra-life sign is its cell at (48, 0).
constexpr int kSignSheetRow = 50;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void ExpandTextVariables(std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsSjisLeadByte(c) && i + 1 < text.size() && IsSjisTrailByte(static_cast<unsigned char>(text[i + 1]))) {
      i += 2;
      continue;
    }
    if (c != '#') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    int number = 0;
    int kind = 0;  // 1 common, 2 stage
    bool options = false;
    int width = 0;
    bool zeros = false;
    bool plus = false;
    for (; j < text.size(); ++j) {
      const char e = text[j];
      if (!options) {
        if (IsDigit(e)) {
          // Past 255 the escape stays as typed; stop growing so the number cannot overflow.
          if (number <= 255) number = number * 10 + (e - '0');
        } else if (e == 'C' || e == 'c') {
          kind = 1;
        } else if (e == 'S' || e == 's') {
          kind = 2;
        } else if (e == '_') {
          options = true;
        } else {
          break;
        }
      } else if (IsDigit(e)) {
        width = e - '0';
      } else if (e == 'Z' || e == 'z') {
        zeros = true;
      } else if (e == 'P' || e == 'p') {
        plus = true;
      } else {
        break;
      }
    }
    const std::size_t end = j < text.size() && text[j] == '.' ? j + 1 : j;
    if (kind == 0 || number < 1 || number > 255) {
      i = end;
      continue;
    }
    cScenePlay& s = Scene();
    const int value = kind == 1 ? s.CommonVars[number] : s.StageVars[number];
    std::string digits;
    NumberText(digits, value, width, zeros, plus);
    text.replace(i, end - i, digits);
    i += digits.size();
  }
}

void MeasureText(int& width, int& height, const std::string& text) {
  int w = 0;
  int h = 0;
  MessageFont().MeasureText(text.c_str(), &w, &h);
  width = w + 2;
  height = h + 2;
}

cMessageObj::~cMessageObj() { DeleteSurface(); }

cMessageObj::cMessageObj(const cMessageObj& other) { *this = other; }

cMessageObj& cMessageObj::operator=(const cMessageObj& other) {
  if (this == &other) return *this;
  DeleteSurface();
  // The copy draws its own surface: two messages never share one.
  nKind = other.nKind;
  strText = other.strText;
  strSource = other.strSource;
  nValue1 = other.nValue1, nValue2 = other.nValue2, nValue3 = other.nValue3;
  bExpand = other.bExpand, bRefresh = other.bRefresh, nRefreshInterval = other.nRefreshInterval;
  bFrame = other.bFrame, nPositionMode = other.nPositionMode;
  nCellX = other.nCellX, nCellY = other.nCellY, nOffsetX = other.nOffsetX, nOffsetY = other.nOffsetY;
  nWidth = other.nWidth, nHeight = other.nHeight, bClamp = other.bClamp;
  nDurationKind = other.nDurationKind, bFixed = other.bFixed;
  bStored = other.bStored, nStoredX = other.nStoredX, nStoredY = other.nStoredY;
  nExtra1 = other.nExtra1, nExtra2 = other.nExtra2, nOwner = other.nOwner;
  nTimeLeft = other.nTimeLeft, bCountWhenPaused = other.bCountWhenPaused;
  bOpening = other.bOpening, dOpening = other.dOpening, nX = other.nX, nY = other.nY;
  if (other.pSurface != nullptr && CreateSurface()) DrawText(pSurface);
  return *this;
}

void cMessageObj::Init(const MessageParams& p) {
  strText = p.text;
  strSource = p.text;
  nKind = p.kind;
  nValue1 = p.value1, nValue2 = p.value2, nValue3 = p.value3;
  nPositionMode = p.positionMode;
  nCellX = p.cellX, nCellY = p.cellY, nOffsetX = p.offsetX, nOffsetY = p.offsetY;
  bClamp = p.clamp, bFixed = p.fixed, nDurationKind = p.durationKind, nTimeLeft = p.time;
  bCountWhenPaused = p.countWhenPaused, nOwner = p.owner;
  bExpand = p.expand, bRefresh = p.refresh, nRefreshInterval = p.refreshInterval, bFrame = p.frame;
  nExtra1 = p.extra1, nExtra2 = p.extra2;
  if (bExpand != 0) ExpandTextVariables(strText);
  if (nKind == 1) {
    MeasureText(nWidth, nHeight, strText);
  } else if (nKind == 2 || nKind == 3) {
    nWidth = nHeight = 16;
  } else {
    nWidth = nHeight = 0;
  }
  bStored = 0;
  dOpening = 0;
  bOpening = nDurationKind == 0 && p.noOpening == 0 ? 1 : 0;
  if (nKind == 1 && p.deferSurface == 0 && CreateSurface()) DrawText(pSurface);
}

bool cMessageObj::CreateSurface() {
  cScenePlay& s = Scene();
  DeleteSurface();
  // A window goes to system memory only when video memory runs short; it is a texture under
  // Direct3D, which draws nothing from a record without one.
  if (!DDCreateSurfaceInList(s.MessageSurfaces, s.MessageSurfaceDefs, nWidth, nHeight, 1, SystemMemoryWhenShort(),
                             DTMEMORYTYPE_VIDEO_RT, 0)) {
    DDDeleteSurfaceFromList(s.MessageSurfaces, s.MessageSurfaceDefs, &s.MessageSurfaces.back());
    PostCloseRequest();
    return false;
  }
  pSurface = &s.MessageSurfaces.back();
  return true;
}

void cMessageObj::DeleteSurface() {
  if (pSurface == nullptr) return;
  if (PlaySceneGlobal != nullptr) {
    DDDeleteSurfaceFromList(PlaySceneGlobal->MessageSurfaces, PlaySceneGlobal->MessageSurfaceDefs, pSurface);
  }
  pSurface = nullptr;
}

void cMessageObj::DrawText(DDSURFACEDATA* surface) {
  if (surface == nullptr) return;
  if (bFrame != 0) {
    MessageFont().DrawBox(surface, 1, 1, nWidth - 2, nHeight - 2, strText.c_str(), 0);
  } else {
    DDFillSurface(surface, 0);
    MessageFont().Draw(surface, 1, 1, strText.c_str(), 0);
  }
}

bool cMessageObj::Place(int& x, int& y) {
  cScenePlay& s = Scene();
  const int sx = TruncToInt(s.ScrollX.dPos);
  const int sy = TruncToInt(s.ScrollY.dPos);
  const int mode = nPositionMode >= 0 && nPositionMode <= 8 ? nPositionMode : 0;
  if (mode >= 1 && mode <= 6) {
    const cCharaBase* owner = nOwner >= 0 ? s.FindCharaByNumber(nOwner) : nullptr;
    if (owner == nullptr) return false;
    const ObjRect& r = owner->Rect;
    const int ox = TruncToInt(owner->x) - sx;
    const int oy = TruncToInt(owner->y) - sy;
    x = ox + r.width / 2 - nWidth / 2 - r.offX + nOffsetX;
    if (mode == 1 || mode == 4) {
      y = oy - r.offY - nHeight + nOffsetY;
    } else if (mode == 2 || mode == 5) {
      y = oy + r.height - r.offY + 1 + nOffsetY;
    } else {
      y = oy + r.height / 2 - nHeight / 2 - r.offY + nOffsetY;
    }
  } else if (mode == 7) {
    x = nOffsetX + nCellX * 32;
    y = nOffsetY + nCellY * 32;
  } else if (mode == 8) {
    x = (nCellX + s.ScrollX.nMargin) * 32 + nOffsetX - sx;
    y = (nCellY + s.ScrollY.nMargin) * 32 + nOffsetY - sy;
  } else {
    x = nOffsetX - nWidth / 2 + 320;
    y = nOffsetY - nHeight / 2 + 240;
  }
  return true;
}

int cMessageObj::Update(DDSURFACEDATA* target, bool paused) {
  cScenePlay& s = Scene();
  bool over = false;
  if (nDurationKind == 2 && (bCountWhenPaused != 0 || !paused)) {
    if (--nTimeLeft < 0) over = true;
  }
  if (bRefresh != 0 && nRefreshInterval != 0 && s.nFrame % nRefreshInterval == 0 && nKind == 1 && bExpand != 0) {
    std::string fresh = strSource;
    ExpandTextVariables(fresh);
    if (fresh != strText) {
      strText = fresh;
      const int oldW = nWidth;
      const int oldH = nHeight;
      MeasureText(nWidth, nHeight, strText);
      if (nWidth != oldW || nHeight != oldH || pSurface == nullptr) CreateSurface();
      DrawText(pSurface);
    }
  }
  int x = 0;
  int y = 0;
  const int mode = nPositionMode >= 0 && nPositionMode <= 8 ? nPositionMode : 0;
  if (!Place(x, y)) {
    // The owner is gone: a text goes with it; a fixed picture stays where it was.
    if (nKind == 1 || ((nKind == 2 || nKind == 3) && (bFixed == 0 || bStored == 0))) {
      DeleteSurface();
      return 1;
    }
    x = nStoredX;
    y = nStoredY;
  }
  const int sx = TruncToInt(s.ScrollX.dPos);
  const int sy = TruncToInt(s.ScrollY.dPos);
  if (mode != 0 && mode != 7) {
    if (bFixed != 0) {
      if (bStored == 0) {
        bStored = 1;
        nStoredX = x;
        nStoredY = y;
      }
      x = nStoredX;
      y = nStoredY;
    }
  } else if (bFixed == 0) {
    if (bStored == 0) {
      bStored = 1;
      nStoredX = x + sx;
      nStoredY = y + sy;
    }
    x = nStoredX - sx;
    y = nStoredY - sy;
  }
  if (bClamp != 0) {
    if (x < 0) x = 0;
    if (x + nWidth > 638) x = 640 - nWidth;
    if (y < 20) y = 20;
    if (y + nHeight > 478) y = 480 - nHeight;
  }
  nX = x;
  nY = y;
  nDrawY = nKind == 2 || nKind == 3 ? y - (30 - nTimeLeft) / 4 : y;
  if (target != nullptr) {
    if (nKind == 1 && pSurface != nullptr) {
      if (pSurface->bLost != 0) {
        DrawText(pSurface);
        pSurface->bLost = 0;
      }
      bool show = !strText.empty();
      if (show && bOpening != 0) {
        dOpening += 1;
        const double f = dOpening * 0.1;
        if (dOpening < 10) {
          if (bFrame != 0) {
            const int w = TruncToInt(f * nWidth);
            const int h = TruncToInt(f * nHeight);
            MessageFont().DrawFrame(target, x + nWidth / 2 - w / 2, y + nHeight / 2 - h / 2, w, h);
          }
          show = false;
        }
      }
      if (show) DDBlt(target, x, y, nWidth, nHeight, pSurface, 0, 0, DDBLT_KEYED);
    } else if (nKind == 2) {
      DrawMiniIcon(target, x, nDrawY, nValue1, nValue2, nValue3);
    } else if (nKind == 3) {
      DDBlt(target, x, nDrawY, 16, 16, &SurfaceRecords[kSignSheetRow], 48, 0, DDBLT_KEYED);
    }
  }
  if (over) {
    DeleteSurface();
    return 1;
  }
  return 0;
}
