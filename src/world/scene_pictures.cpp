// The play scene's pictures and their image surfaces, kept at the same places in three lists:
// what the picture command shows, replaces and erases; and the screen effect's start.
#include <cstring>
#include <string>

#include "core/close_request.h"
#include "core/message_boxes.h"
#include "core/report_log.h"
#include "core/strings.h"
#include "core/system_ini.h"
#include "core/system_report.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/surface_table.h"
#include "world/scene_play.h"

int PictureMemoryFlag(int magnification, bool videoStretch, unsigned freeMB, unsigned totalMB) {
  // A picture drawn magnified without the stretching blit is drawn by software: system memory.
  if (magnification != 100 && !videoStretch) return 1;
  return totalMB > 0 && freeMB * 100 / totalMB < 20 ? 1 : 0;
}

int SystemMemoryWhenShort() {
  if (DDCtx == nullptr) return 0;
  unsigned totalMB = 0;
  unsigned freeMB = 0;
  GetVideoMemoryMB(totalMB, freeMB);
  return PictureMemoryFlag(100, true, freeMB, totalMB);
}

int cScenePlay::FindPicture(int id) {
  int place = 0;
  for (const cPictureObj& picture : PictureList) {
    if (picture.nExtra1 != 0 && picture.nExtra2 == id) return place;
    ++place;
  }
  return -1;
}

void cScenePlay::RemovePicture(int place) {
  if (place < 0 || place >= static_cast<int>(PictureSurfaces.size())) return;
  DDDeleteSurfaceFromList(PictureSurfaces, PictureSurfaceDefs, &*PictureSurfaces.NodeAt(place));
  PictureList.EraseAt(place);
}

void cScenePlay::RemoveAllPictures() {
  DDReleaseSurfaceList(PictureSurfaces);
  PictureSurfaces.clear();
  PictureSurfaceDefs.clear();
  PictureList.clear();
}

bool cScenePlay::LoadPicture(int place, const std::string& file, int magnification, int& width, int& height) {
  SurfaceDef row{};
  std::strncpy(row.fileName, file.c_str(), sizeof(row.fileName) - 1);
  row.colorKey = 1;
  if (DDCtx != nullptr) {
    unsigned totalMB = 0;
    unsigned freeMB = 0;
    GetVideoMemoryMB(totalMB, freeMB);
    row.ddSystemMemory = PictureMemoryFlag(magnification, SystemIni.DD_VideoStretch != 0, freeMB, totalMB);
  }
  const int count = static_cast<int>(PictureSurfaces.size());
  const int at = place < 0 || place > count ? count : place;
  PictureSurfaces.InsertAt(at, DDSURFACEDATA{});
  PictureSurfaceDefs.InsertAt(at, row);
  DDSURFACEDATA& surface = *PictureSurfaces.NodeAt(at);
  const int result = DDCreateSurfaceFromFile(&surface, row.fileName, 1, DDBpp, row.ddSystemMemory, 0, 0, 0, 0, 0, 0);
  if (!DDSurfaceErrorText(result)) {
    // Taken out again before the box, so that the three lists stay the same length.
    DDDeleteSurfaceFromList(PictureSurfaces, PictureSurfaceDefs, &surface);
    ErrLogf("%s 読み込み失敗！", file.c_str());
    ErrorBoxF("%s 読み込み失敗！", file.c_str());
    PostCloseRequest();
    return false;
  }
  width = PercentOf(surface.nWidth, magnification);
  height = PercentOf(surface.nHeight, magnification);
  return true;
}


void cScenePlay::AddPicture(int place, const FlowPicture& p) {
  cPictureObj picture;
  picture.Init(p.picture, p.x, p.y, p.width, p.height, p.screenFixed, p.blend, p.magnification, p.displayMode,
               p.frames, p.modal, p.hasId, p.id);
  const int count = static_cast<int>(PictureList.size());
  PictureList.InsertAt(place < 0 || place > count ? count : place, picture);
}
