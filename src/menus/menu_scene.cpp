#include "menus/menu_scene.h"

#include "core/close_request.h"
#include "core/game_requests.h"
#include "core/scene_manager.h"
#include "core/strings.h"
#include "data/system_data.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/game_fonts.h"
#include "gfx/palette_animation.h"
#include "gfx/screen_fade.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "input/input.h"
#include "input/menu_cursor.h"
#include "sound/sound_effects.h"

namespace {

constexpr int kSoundCursor = 0;

}  // namespace

void cMenuScene::Run() {
  cInput& input = PlayerInputs[0];
  input.ApplyKeyRepeat();
  input.FilterButtonPress(ButtonMask());
  cScene::Run();
}

void RequestMenuMusic(int slot) {
  const std::int32_t music = SystemData.MenuMusic[slot];
  if (music != 0 && music == SceneMgr.CurBgm) return;
  SceneMgr.CurBgm = music;
  SendToMainWindow(kRequestMusic, static_cast<std::uintptr_t>(slot), 0);
}

std::vector<int> EnabledRows(const cVector<cSysNamedEntry>& entries, int maxRows) {
  std::vector<int> rows;
  for (int i = 0; i < static_cast<int>(entries.size()) && static_cast<int>(rows.size()) < maxRows; ++i) {
    if (entries[i].bEnabled != 0) rows.push_back(i);
  }
  if (rows.empty()) rows.push_back(0);
  return rows;
}

std::uint16_t MenuDirections() { return PlayerInputs[0].m_wDir; }

bool MenuButton(int button) { return (PlayerInputs[0].m_wButton & (1u << (button - 1))) != 0; }

void MenuCursorSound(int axes) {
  const std::int32_t word = MenuDirections();
  DS_PlayOnCursorKey(&word, axes, kSoundCursor);
}

bool MenuDrawing() { return DDInitialised != 0; }

bool MenuFadeIn() {
  return !MenuDrawing() ||
         DDFadeIn(DDPalette, 0, 255, 0, 0, 0, static_cast<double>(SceneMgr.FadeSpeed), DDPaletteSaved, 0);
}

bool MenuFadeOut() {
  return !MenuDrawing() ||
         DDFadeOut(DDPalette, 0, 255, 0, 0, 0, static_cast<double>(SceneMgr.FadeSpeed), DDPaletteSaved, 0);
}

void LeaveMenuScene(int thisScene) {
  if (MenuDrawing()) DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 16);
  MenuCursor.Reset();
  SceneMgr.PreviousScene = thisScene;
  SceneMgr.CurrentScene = SceneMgr.NextScene;
}

DDSURFACEDATA* CreateMenuImage(DDSurfaceList& images, SurfaceDefList& defs, int width, int height, int colourKey) {
  DDReleaseSurfaceList(images);
  images.clear();
  defs.clear();
  if (!MenuDrawing()) return nullptr;
  // In system memory under DirectDraw; Direct3D draws only what has a texture.
  if (!DDCreateSurfaceInList(images, defs, width, height, colourKey, DDCtx != nullptr ? 1 : 0, DTMEMORYTYPE_VIDEO_RT,
                             0)) {
    PostCloseRequest();
    return nullptr;
  }
  return &images.back();
}

void DrawMenuPage(DDSURFACEDATA* image, const std::string& heading) {
  GameFonts[2].DrawFrame(image, 1, 1, 638, 478);
  GameFonts[2].DrawF(image, 320 - 16 * StrCharCount(heading), 32, "%s", heading.c_str());
}

bool MenuImageStale(const DDSurfaceList& images, bool fadingIn) {
  if (!MenuDrawing() || images.empty()) return false;
  return images.back().bLost != 0 || (fadingIn && DDBpp == 8);
}

void ShowFullScreenImage(DDSurfaceList& images, bool fadingIn, const std::function<void()>& draw) {
  if (!MenuDrawing() || images.empty()) return;
  if (MenuImageStale(images, fadingIn)) draw();
  DDBlt(&SDBackBuffer, 0, 0, 640, 480, &images.back(), 0, 0, DDBLT_OPAQUE);
  AnimatePalette();
}
