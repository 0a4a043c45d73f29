// Plays a stage of a game folder with scripted speeds and shows the play field as coloured
// boxes, printing the world digest of every frame.
//
//   kestrel_world_preview <game folder> <stage file> [frames] [screenshot.png | headless] [actors]
//
// The game folder is one the sample game maker writes (its default\ folder is copied to a
// temporary data\ folder); the stage file is named inside default\stg4, e.g. Meadow.stg4_000.
// Flows stand in as the demo's scripted speeds: the hero runs and jumps, walkers patrol.
// Blocks are drawn grey (solid), red (deadly) and blue (effects), characters green (the hero
// yellow, block characters brown), shots orange. With "actors" some walkers fire volleys at the
// hero: aimed spreads, homing orbs and waves. Without "headless" the field is shown in a window for the
// frames asked (120 by default) and what the window shows at the end is saved.
// Under a virtual display: xvfb-run -a build/<dir>/tools/kestrel_world_preview game Meadow.stg4_000 120 shot.png
//
//   kestrel_world_preview <game folder> scenes [screenshot folder | headless]
//
// plays scripted scenes on Meadow Run drawn with the game's own sprites, saying what happens
// and saving a screenshot of each scene's moments into the folder.

#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "core/report_log.h"
#include "data/common_palette.h"
#include "data/stage_data.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_init.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/render_target.h"
#include "gfx/surface_records.h"
#include "data/surface_defs.h"
#include "platform/files/path_resolver.h"
#include "platform/video/frame_mailbox.h"
#include "platform/video/png_writer.h"
#include "platform/video/preview_window.h"
#include "platform/video/video_settings.h"
#include "world/scene_play.h"
#include "world/world_demo.h"
#include "world/world_digest.h"
#include "core/world_math.h"
#include "world_scenes.h"

namespace {

namespace fs = std::filesystem;

enum Colour : DWORD {
  kSky = 1,
  kSolid = 2,
  kDeadly = 3,
  kEffect = 4,
  kChara = 5,
  kHero = 6,
  kBlockChara = 7,
  kShot = 8
};

void SetPalette() {
  const PALETTEENTRY colours[] = {{255, 0, 255, 0}, {120, 180, 230, 0}, {110, 110, 110, 0}, {200, 40, 40, 0},
                                  {40, 80, 220, 0},  {40, 170, 60, 0},  {250, 210, 40, 0},  {140, 90, 40, 0},
                                  {255, 130, 0, 0}};
  for (int n = 0; n < 256; ++n) DDPalette[n] = n < 9 ? colours[n] : PALETTEENTRY{0, 0, 0, 0};
}

void Box(int x, int y, int w, int h, DWORD colour) {
  if (w > 0 && h > 0) DDFillRect(&SDBackBuffer, x, y, w, h, colour);
}

void DrawField(cScenePlay& s) {
  const int sx = TruncToInt(s.ScrollX.dPos);
  const int sy = TruncToInt(s.ScrollY.dPos);
  Box(0, 0, 640, 480, kSky);
  for (int row = sy >> 5; row <= (sy + 480) >> 5; ++row) {
    for (int col = sx >> 5; col <= (sx + 640) >> 5; ++col) {
      const int kind = s.HitKind(s.CellIndex(col, row), 0);
      const cEdBlock* cell = s.CellBlock(s.CellIndex(col, row));
      if (cell == nullptr || kind == 0) continue;
      const DWORD colour = kind == 2 ? kDeadly : cell->nBlockEffect != 0 ? kEffect : kSolid;
      Box(col * 32 - sx, row * 32 - sy, 31, 31, colour);
    }
  }
  for (cChara& c : s.CharaList) {
    if (c.bDead != 0 || c.bPresent == 0) continue;
    Box(TruncToInt(c.x) - sx, TruncToInt(c.y) - sy, c.nWidth, c.nHeight, c.IsBlockChara() ? kBlockChara : kChara);
  }
  cPlayer& hero = s.Hero();
  Box(TruncToInt(hero.x) - sx, TruncToInt(hero.y) - sy, hero.nWidth, hero.nHeight, kHero);
  for (const cShotObj& shot : s.ShotList) {
    Box(TruncToInt(shot.Box.left) - sx, TruncToInt(shot.Box.top) - sy, shot.Box.width, shot.Box.height, kShot);
  }
}

void Present() {
  if (lpDTCon != nullptr) {
    DDEndScene();
  } else {
    SDPrimary.lpDDraw->lpSurface->Blt(&DDClientRect, SDBackBuffer.lpDDraw->lpSurface.get(), nullptr,
                                      platform::kBltWait);
  }
}

int Fail(const char* what) {
  std::fprintf(stderr, "world_preview: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: kestrel_world_preview <game folder> <stage file> [frames] [shot.png|headless]");
  const fs::path game = fs::absolute(argv[1]);
  // "scenes" plays the scripted scenes on Meadow Run with the game's sprites; the fourth
  // argument is then the folder their screenshots go to.
  const bool scenes = std::strcmp(argv[2], "scenes") == 0;
  const std::string stageFile = scenes ? "Meadow.stg4_000" : argv[2];
  const int frames = scenes ? preview::cSceneScript::Frames() : argc >= 4 ? std::atoi(argv[3]) : 120;
  const int output = scenes ? 3 : 4;
  const bool headless = argc <= output || std::strcmp(argv[output], "headless") == 0;
  const bool actors = argc >= 6 && std::strcmp(argv[5], "actors") == 0;
  const fs::path shot = headless ? fs::path() : fs::absolute(argv[output]);

  const fs::path folder = fs::temp_directory_path() / ("kestrel-world-preview-" + std::to_string(getpid()));
  std::error_code error;
  fs::create_directories(folder, error);
  fs::copy(game / "default", folder / "data", fs::copy_options::recursive, error);
  if (error) return Fail("the game folder has no default\\ folder to copy");
  // The pictures, sounds and music are read where they lie.
  for (const fs::directory_entry& entry : fs::directory_iterator(game, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory() && name != "default" && name != "data" && name != "user_data") {
      fs::create_directory_symlink(entry.path(), folder / name, error);
    }
  }
  fs::current_path(folder);
  platform::GameFolder().Forget();
  LogInit("Report_Game.txt");
  if (std::string why; scenes && !preview::LoadDatabase(why)) return Fail(why.c_str());
  if (LoadCommonPalette() == 0) return Fail("the common palette cannot be read");
  static cStageData stage;
  if (stage.Load("data\\stg4\\" + stageFile) == 0) return Fail("the stage cannot be read");

  std::unique_ptr<platform::PreviewWindow> window;
  if (!headless) {
    std::string why;
    window = platform::PreviewWindow::Open("Kestrel world preview", &why);
    if (window == nullptr) return Fail(why.c_str());
    platform::CurrentVideoSettings().desktopBitsPerPixel = 32;
    // The scenes draw from the game's surface table.
    DDSURFACEDATA* records = scenes ? SurfaceRecords : nullptr;
    const SurfaceDef* defs = scenes ? SurfaceDefs : nullptr;
    if (!DDInit(0, nullptr, 640, 480, 32, 1, 1, 1, 60, 1, records, defs, scenes ? kSurfaceRowCount : 0)) {
      return Fail("DDInit");
    }
    SetPalette();
    if (scenes && !preview::LoadSprites(why)) return Fail(why.c_str());
  }

  cDemoFlowLink demo(false, actors);
  preview::cSceneScript script;
  preview::cPrintedSounds sounds;
  SetFlowLink(scenes ? &script : &demo);
  if (scenes) SetWorldSoundLink(&sounds);
  bool saved = true;
  int result = 0;
  {
    cScenePlay scene(stage);
    scene.SetupField(1);
    // The special bitmaps of effects and swords, as the play scene loads them.
    if (scenes) scene.LoadSpecialBitmaps();
    for (int f = 1; f <= frames && result == 0; ++f) {
      sounds.frame = f;
      if (scenes) script.BeforeFrame(scene, f);
      result = scene.StepPlayFrame();
      if (scenes) script.AfterFrame(scene, f);
      std::printf("%d %016" PRIx64 "\n", f, WorldDigest(scene));
      if (window != nullptr) {
        if (scenes) {
          preview::DrawSprites(scene, &SDBackBuffer);
        } else {
          DrawField(scene);
        }
        Present();
        platform::Frame frame;
        if (platform::PresentedFrames().TakeNewest(frame)) window->Present(frame);
        if (!window->PumpEvents()) break;
        for (const preview::ScenePhoto& photo : preview::cSceneScript::Photos()) {
          if (scenes && photo.frame == f) saved = window->SaveScreenshot((shot / (std::string(photo.name) + ".png")).string()) && saved;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
      }
    }
    std::printf("end %d characters %zu shots %zu\n", result, scene.CharaList.size(), scene.ShotList.size());
    // Where each character began and is now: those never seen have not moved.
    for (const cChara& c : scene.CharaList) {
      std::printf("chara %d start (%.1f, %.1f) now (%.1f, %.1f) activated %d\n", c.nNumber, c.dStartX, c.dStartY, c.x,
                  c.y, c.bActivated);
    }
  }
  SetFlowLink(nullptr);
  SetWorldSoundLink(nullptr);
  if (window != nullptr) {
    if (!scenes) saved = window->SaveScreenshot(shot.string());
    if (scenes) preview::ReleaseSprites();
    DDUnInit();
    window.reset();
  }
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(folder, error);
  return saved ? 0 : Fail("the screenshot cannot be saved");
}
