#include "gfx/drawing_link.h"

#include "core/message_boxes.h"
#include "core/scene_manager.h"
#include "core/subsystem_links.h"
#include "core/timing.h"
#include "gfx/dd_present.h"
#include "gfx/dd_state.h"
#include "gfx/game_fonts.h"
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
  void DrawFpsText(const std::string& text, const FpsTextLayout& layout) override {
    if ((lpDTCon == nullptr && DDCtx == nullptr) || layout.font < 0 || layout.font >= kGameFontCount) return;
    Font& font = GameFonts[layout.font];
    if (layout.boxed) {
      font.DrawBox(&SDBackBuffer, layout.x, layout.y, 0, 0, text.c_str(), 0);
    } else {
      font.Draw(&SDBackBuffer, layout.x, layout.y, text.c_str(), 0);
    }
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
