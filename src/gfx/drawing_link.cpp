#include "gfx/drawing_link.h"

#include "core/message_boxes.h"
#include "core/scene_manager.h"
#include "core/subsystem_links.h"
#include "core/timing.h"
#include "gfx/dd_present.h"
#include "gfx/dd_state.h"
#include "gfx/pixel_draw.h"

namespace {

class cLibraryDrawingLink : public cDrawingLink {
 public:
  bool PacesFrames() override { return lpDTCon != nullptr; }
  bool RestoreSurfaces() override {
    if (lpDTCon == nullptr && DDInitialised) DDRestore();
    return true;
  }
  bool Present() override {
    if (lpDTCon != nullptr) {
      SetFpsLimiterActive(true);
      return DDFlip(SceneMgr.FrameRate, 0, 0) != 0;
    }
    if (DDCtx != nullptr) DDPresentDirectDraw();
    return true;
  }
  void PaintWindow() override {
    if (DDCtx != nullptr) DDPresentDirectDraw();
  }
};

cLibraryDrawingLink g_link;

}  // namespace

void DDInstallDrawingLink() {
  SetDrawingLink(&g_link);
  DDConnectBoxPresenter();
}

void DDRemoveDrawingLink() {
  SetDrawingLink(nullptr);
  SetFullScreenBoxPresenter(nullptr);
  SetFpsLimiterActive(false);
}
