#include "world_scenes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

#include "core/system_ini.h"
#include "data/database.h"
#include "data/project_paths.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "data/name_tables.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/font.h"
#include "gfx/game_fonts.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "world/chara_draw.h"
#include "world/effect_tables.h"
#include "world/message_obj.h"
#include "world/scene_play.h"
#include "world/shot_obj.h"
#include "world/volley.h"
#include "core/world_math.h"

namespace preview {

namespace {

// Characters whose death display is over: no longer drawn.
std::set<int> g_shownDead;

// Meadow Run's cells the scenes use (the ground's surface is row 12).
constexpr int kFloor = 12;
constexpr int kGemColumn = 50;
constexpr int kSpringColumn = 76;
constexpr int kHeldBeetleColumn = 47;
// A row's top in the field's coordinates, which have ten blocks of margin.
constexpr double FieldTop(int row) { return (row + 10) * 32.0; }
constexpr int kSignpostColumn = 6;

struct Scene {
  int first;  // its first frame
  const char* name;
};
// Each scene runs until the next begins.
constexpr Scene kScenes[] = {
    {1, "walk and jump"}, {151, "gem"},      {261, "spring"}, {401, "held item and volleys"},
    {641, "signpost"},    {761, "burst"},    {901, "end"},
};

void PlaceHero(cScenePlay& s, int column, int row) {
  cPlayer& hero = s.Hero();
  hero.vx = hero.vy = hero.ax = hero.ay = 0;
  // The camera jumps with it: the hero never leaves the screen, so a camera left behind would
  // hold it back.
  s.ScrollX.dPos = (column + 10) * 32 + 16 - s.ScrollX.nView / 2;
  s.ScrollX.Clamp();
  hero.SetCell(column, row);
}

bool Starts(int frame, const char* name) {
  for (const Scene& scene : kScenes) {
    if (scene.first == frame && std::strcmp(scene.name, name) == 0) return true;
  }
  return false;
}

const char* SceneAt(int frame) {
  const char* name = kScenes[0].name;
  for (const Scene& scene : kScenes) {
    if (scene.first <= frame) name = scene.name;
  }
  return name;
}

// The hero's fireball straight ahead, bursting where it hits.
void Fireball(cPlayer& hero) {
  cEdShot rec;
  rec.nScale = 1;
  rec.bTakeGroup = 1;
  rec.nCount = 1;
  rec.nPicture = 1;
  rec.nSpeed = 70;
  rec.bLifeLimited = 1;
  rec.nLife = 40;
  rec.nPower = 1;
  rec.nEffect = 1;  // the Burst
  VolleyCommand command;
  FireShots(hero, command, rec);
}

cChara* NearestWalker(cScenePlay& s, double x) {
  cChara* best = nullptr;
  for (cChara& c : s.CharaList) {
    if (c.bDead != 0 || c.bPresent == 0 || c.IsBlockChara() || c.bOnScreen == 0) continue;
    if (best == nullptr || std::abs(c.x - x) < std::abs(best->x - x)) best = &c;
  }
  return best;
}

}  // namespace

void cPrintedSounds::PlaySE(int id) { std::printf("frame %d: system sound %d\n", frame, id); }
void cPrintedSounds::PlayUserSE(int number) { std::printf("frame %d: sound %d\n", frame, number); }

bool LoadDatabase(std::string& why) {
  if (Database.Load() != 1) {
    why = "the database cannot be read";
    return false;
  }
  // Definitions read after this check their sounds, effects and pictures against it.
  Database.FillReadContext(ProjectDataContext());
  BuildCharaEffectTables();
  BuildScrEffectTables();
  return true;
}

bool LoadSprites(std::string& why) {
  if (SystemData.Load(ProjectPaths[kPathSystemData]) == 0) {
    why = "the system data cannot be read";
    return false;
  }
  if (!DDLoadPaletteFromFile(DDPalette, SurfaceDefs[0].fileName) || DDSetTransmit(SurfaceDefs[0].fileName) == 0) {
    why = "the palette cannot be read";
    return false;
  }
  std::copy(std::begin(DDPalette), std::end(DDPalette), std::begin(DDPaletteSaved));
  if (!DDLoadSurfaceTable(SurfaceRecords, surface_rows::kPlayScene.data(),
                          static_cast<int>(surface_rows::kPlayScene.size()))) {
    why = "the play scene's pictures cannot be read";
    return false;
  }
  const char* face = FontFaceName(SystemData.nFontFace);
  for (FontDef& row : FontDesc) {
    std::strncpy(row.faceName, face, sizeof row.faceName - 1);
    row.faceName[sizeof row.faceName - 1] = '\0';
    if (row.cacheMode == 2) row.cacheMode = SystemIni.DD_FontCache;
  }
  if (!DDCreateFonts(GameFonts, FontDesc, kFontCount)) {
    why = "the fonts cannot be made";
    return false;
  }
  return true;
}

void ReleaseSprites() {
  for (Font& font : GameFonts) font.Release();
  for (int row : surface_rows::kPlayScene) DDReleaseSurface(&SurfaceRecords[row]);
}

void DrawSprites(cScenePlay& s, DDSURFACEDATA* target) {
  const int sx = TruncToInt(s.ScrollX.dPos);
  const int sy = TruncToInt(s.ScrollY.dPos);
  DDFillRectRGB(target, 0, 0, 640, 480, 0xFF78B4E6);
  for (int row = sy >> 5; row <= (sy + 480) >> 5; ++row) {
    for (int col = sx >> 5; col <= (sx + 640) >> 5; ++col) {
      const cEdBlock* cell = s.CellBlock(s.CellIndex(col, row));
      if (cell != nullptr && cell->nPicture != 0 && cell->bInvisible == 0 && s.HitKind(s.CellIndex(col, row), 0) >= 0) {
        DrawBlockIcon(*cell, target, col * 32 - sx, row * 32 - sy);
      }
    }
  }
  for (cItemObj& item : s.ItemList) item.Draw(target, true);
  for (cChara& c : s.CharaList) {
    if (c.bPresent == 0 || g_shownDead.count(c.nNumber) != 0) continue;
    if (c.bDead != 0) {
      if (DeathDisplayStep(c, target, false, 60) == 1) g_shownDead.insert(c.nNumber);
      continue;
    }
    DrawCharaPicture(c, target, false);
    DrawHeldItemIcon(c, target);
  }
  DrawCharaPicture(s.Hero(), target, false);
  for (cShotObj& shot : s.ShotList) shot.Draw(target, true);
  for (auto it = s.EffectList.begin(); it != s.EffectList.end();) {
    it = it->Draw(target, true) == 1 ? s.EffectList.erase(it) : std::next(it);
  }
  for (auto it = s.MessageList.begin(); it != s.MessageList.end();) {
    it = it->Update(target, false) == 1 ? s.MessageList.erase(it) : std::next(it);
  }
}

const std::vector<ScenePhoto>& cSceneScript::Photos() {
  static const std::vector<ScenePhoto> photos = {
      {44, "jump-high"}, {120, "jump-low"},  {178, "gem"},   {300, "spring"},
      {470, "held-item"}, {560, "sword"},    {596, "volleys"}, {640, "volleys-late"}, {700, "signpost"},
      {792, "burst"},     {800, "burst-late"},
  };
  return photos;
}

int cSceneScript::Frames() { return kScenes[std::size(kScenes) - 1].first - 1; }

int cSceneScript::RunFlowFrameStep(cCharaBase& c, int dyingOnly) {
  if (c.bHeroFlag == 0) return cDemoFlowLink::RunFlowFrameStep(c, dyingOnly);
  if (dyingOnly == 0) c.vx = walk_ / PlaySceneGlobal->Units.dSubSteps;
  return 0;
}

void cSceneScript::BeforeFrame(cScenePlay& s, int frame) {
  cPlayer& hero = s.Hero();
  const auto say = [&](const char* what) { std::printf("frame %d: %s\n", frame, what); };
  for (const Scene& scene : kScenes) {
    if (scene.first == frame) std::printf("frame %d: scene \"%s\"\n", frame, scene.name);
  }
  // The scenes are about what the hero sees: it does not die of the beetles' bumps.
  hero.nHp = std::max(hero.nHp, 99);
  if (std::strcmp(SceneAt(frame), "walk and jump") == 0) {
    walk_ = 2;
    if (frame == 20 || frame == 100) {
      const int halfBlocks = frame == 20 ? 8 : 2;
      hero.vy = hero.JumpSpeed(halfBlocks);
      jumpFrom_ = jumpTop_ = hero.bottom;
      std::printf("frame %d: a jump of %d half blocks\n", frame, halfBlocks);
    }
  }
  if (Starts(frame, "gem")) {
    walk_ = 0;
    PlaceHero(s, kGemColumn, kFloor - 4);
    say("the hero drops onto the gem");
  }
  if (Starts(frame, "spring")) {
    PlaceHero(s, kSpringColumn, kFloor - 4);
    say("the hero drops onto the spring (value 14: a jump of 14 half blocks, 224 dots)");
  }
  if (Starts(frame, "held item and volleys")) {
    PlaceHero(s, kHeldBeetleColumn + 5, kFloor - 1);
    say("the hero waits by the beetle that carries a heart");
  }
  if (frame >= 570 && frame <= 610 && frame % 20 == 10) {
    if (cChara* beetle = NearestWalker(s, FieldTop(0) + kHeldBeetleColumn * 32.0)) {
      DemoVolley(*beetle, (frame - 570) / 20, 2 + (frame - 570) / 20);
      std::printf("frame %d: character %d fires volley %d\n", frame, beetle->nNumber, (frame - 570) / 20);
    }
  }
  if (frame == 556) {
    cEdShot rec;
    rec.nTrajectory = 0;  // the Feather Blade
    rec.nScale = 1;
    rec.bTakeGroup = 1;
    rec.nPower = 1;
    ShotSpawn spawn;
    spawn.w = 32;
    spawn.h = 16;
    cShotObj sword;
    sword.Init(s.nShotNumber++, hero, kMakeSword, rec, spawn);
    AddShotObj(s, sword);
    say("the hero swings the Feather Blade");
  }
  if (Starts(frame, "signpost")) {
    PlaceHero(s, kSignpostColumn, kFloor - 1);
    s.StageVars[1] = 17;
    MessageParams p;
    p.kind = 1;
    p.text = "COINS SO FAR: #S1_3";  // the fonts draw small letters as key pictures
    p.positionMode = 4;  // above the hero
    p.clamp = 1;
    p.durationKind = 2;
    p.time = 100;
    p.owner = hero.nNumber;
    p.expand = 1;
    p.refresh = 1;
    p.refreshInterval = 30;
    p.frame = 1;
    s.MessageList.emplace_back().Init(p);
    say("the signpost's message, counting stage variable 1");
  }
  if (frame == 700 - 30) s.StageVars[1] = 18;  // the refresh shows the new count
  if (Starts(frame, "burst")) {
    PlaceHero(s, kSignpostColumn + 10, kFloor - 1);
    say("the hero moves on to a beetle");
  }
  if (frame == 766) {
    if (cChara* victim = NearestWalker(s, hero.x)) {
      burstTarget_ = victim->nNumber;
      victim->nHp = 1;
      hero.nFacing = victim->x > hero.x ? 1 : 0;
      Fireball(hero);
      std::printf("frame %d: the hero fires at character %d\n", frame, victim->nNumber);
    }
  }
}

void cSceneScript::AfterFrame(cScenePlay& s, int frame) {
  cPlayer& hero = s.Hero();
  const char* scene = SceneAt(frame);
  // The spring's rise counts from its top once the hero has first landed on it.
  if (frame == kScenes[2].first + 15) jumpFrom_ = jumpTop_ = FieldTop(kFloor - 1);
  if (std::strcmp(scene, "walk and jump") == 0 || std::strcmp(scene, "spring") == 0) {
    jumpTop_ = std::min(jumpTop_, hero.bottom);
    if (frame == 99 || frame == 150 || frame == 400) {
      std::printf("frame %d: the hero's feet rose %.1f dots at most\n", frame, jumpFrom_ - jumpTop_);
    }
  }
  if (frame >= 570 && frame <= 640 && frame % 10 == 5) std::printf("frame %d: %zu shots fly\n", frame, s.ShotList.size());
  if (frame == 200) std::printf("frame %d: score messages %zu, items left %zu\n", frame, s.MessageList.size(), s.ItemList.size());
  if (frame == 800 && burstTarget_ >= 0) {
    std::printf("frame %d: character %d %s\n", frame, burstTarget_,
                s.FindCharaByNumber(burstTarget_) != nullptr ? "is still listed" : "has left the list");
  }
}

}  // namespace preview
