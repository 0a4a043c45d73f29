#include "menus/scene_world_map.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/close_request.h"
#include "core/message_boxes.h"
#include "core/scene_manager.h"
#include "core/strings.h"
#include "data/rankings.h"
#include "data/save_data.h"
#include "data/stage_data.h"
#include "data/stage_loader.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/game_fonts.h"
#include "gfx/sprite_batch.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "gfx/text_box.h"
#include "sound/sound_effects.h"
#include "world/ranking_draw.h"

namespace {

constexpr int kBackRow = 54;
constexpr int kChipRow = 52;
constexpr int kEventRow = 53;
constexpr int kAccessory = 49;
constexpr int kViewRow = 67;
constexpr int kHeroX = 288;
constexpr int kHeroY = 224;
constexpr int kHeroCellX = 9;
constexpr int kHeroCellY = 7;
constexpr int kViewColumns = 20;
constexpr int kViewRows = 15;
constexpr int kStoryMode = 0;

enum : int { kStateFadeIn, kStateMove, kStateConfirm, kStateExit };
enum : int { kSoundDecide = 1, kSoundCancel = 2, kSoundMenu = 4, kSoundRankingPanel = 6 };
enum : int { kTextBest = 2, kTextQuestion = 10 };
enum : int { kEventStage = 0, kEventWall = 2 };

// What outlives a scene object: the prompt's load, the hero's walk and the view last drawn.
int g_stageLoaded = 0;
int g_heroFrames = 0;
int g_drawnViewX = -1;
int g_drawnViewY = -1;
long g_viewDraws = 0;

bool StoryRankings() { return SystemData.ModeRanking[kStoryMode].bRanking != 0; }

bool VariableConditionHolds(const cMapEvent& event) {
  if (event.nVarNo == 0) return true;
  const std::int32_t v = SaveDataCur.m_Vars[event.nVarNo];
  const std::int32_t k = event.nVarValue;
  switch (event.nVarOp) {
    case 0: return v == k;
    case 1: return v != k;
    case 2: return v >= k;
    case 3: return v <= k;
    case 4: return v > k;
    case 5: return v < k;
    case 6: return k == 0 || std::abs(v) % k == 0;
    case 7: return k != 0 && std::abs(v) % k != 0;
    default: return false;
  }
}

MenuCursorPos& Hero() { return *MenuCursor.m_pCur; }

}  // namespace

const cMapEvent* SelectEvent(const cMapPoint* point) {
  if (point == nullptr) return nullptr;
  for (const cMapEvent& event : point->Events) {
    if (event.nNeedStage > 0 && SaveDataCur.m_StageCleared[event.nNeedStage] == 0) continue;
    if (!VariableConditionHolds(event)) continue;
    if (SaveDataCur.m_nClearSum < event.nNeedTotal) continue;
    return &event;
  }
  return nullptr;
}

int IsCleared(const cMapEvent* event) {
  return event != nullptr && SaveDataCur.m_StageCleared[event->nStage] != 0 ? 1 : 0;
}

int NoAutoEnter(const cMapEvent* event) {
  if (event == nullptr) return 0;
  return event->bFreeStand != 0 || IsCleared(event) != 0 ? 1 : 0;
}

int CellIndex(int x, int y) {
  x = std::clamp(x, 0, std::max(WorldMap.nWidth - 1, 0));
  y = std::clamp(y, 0, std::max(WorldMap.nHeight - 1, 0));
  return (y << WorldMap.nPitch_Shift) + x;
}

LivesBox LivesBoxOf(std::int32_t lives) {
  const int digits = lives == kUnlimitedLives ? 1 : DigitCount(lives);
  LivesBox box;
  box.width = 16 * (digits + 1);
  box.x = 621 - box.width;
  return box;
}

long MapViewDraws() { return g_viewDraws; }

cSceneWorldMap::cSceneWorldMap() {
  AddState(&cSceneWorldMap::FadeIn);
  AddState(&cSceneWorldMap::Move);
  AddState(&cSceneWorldMap::Confirm);
  AddState(&cSceneWorldMap::Exit);
}

cSceneWorldMap::~cSceneWorldMap() {
  for (int row : surface_rows::kWorldMap) DDReleaseSurface(&SurfaceRecords[row]);
  DDReleaseSurfaceList(m_Panels);
}

bool cSceneWorldMap::IsStage() const { return m_pEvent != nullptr && m_pEvent->nKind == kEventStage; }

void cSceneWorldMap::SelectHere() {
  m_pPoint = WorldMap.FindPointXY(Hero().column, Hero().row);
  m_pEvent = SelectEvent(m_pPoint);
}

void cSceneWorldMap::Init() {
  RequestMenuMusic(1);
  SurfaceDef& back = SurfaceDefs[kBackRow];
  std::strncpy(back.fileName, WorldMap.strBackBitmap.c_str(), sizeof back.fileName - 1);
  back.fileName[sizeof back.fileName - 1] = '\0';
  if (MenuDrawing() && !DDLoadSurfaceTable(SurfaceRecords, surface_rows::kWorldMap.data(),
                                           static_cast<int>(surface_rows::kWorldMap.size()))) {
    PostCloseRequest();
  }
  MenuCursor.Reset();
  SaveDataCur.RecalcTotal();
  Hero().column = SaveDataCur.m_nMapX;
  Hero().row = SaveDataCur.m_nMapY;
  Hero().x = kHeroX;
  Hero().y = kHeroY;
  m_nViewX = Hero().column - kHeroCellX;
  m_nViewY = Hero().row - kHeroCellY;
  m_nFacing = SaveDataCur.m_nMapDir;
  m_nClearValue = 0;
  SelectHere();
  m_Saved = Hero();
  CreateMenuImage(m_Panels, m_PanelDefs, 272, 352, 1);
  DrawPanel();
  if (IsStage()) LoadStageData();
  if (SaveDataCur.m_bAutoSave != 0 && SceneMgr.PreviousScene == kScenePlay) SaveDataCur.SaveSlot(SaveDataCur.m_nSaveSlot);
  DrawMapView();
  m_nSubState = 0;
}

void cSceneWorldMap::LoadStageData() {
  SaveDataCur.SetStageName(m_pEvent->strStageFile.c_str());
  m_nClearValue = SaveDataCur.GetClearValue(SaveDataCur.m_strStageKey);
  if (SceneMgr.RankingEnabled == 0) return;
  LoadRankingFile(RankSet, SceneMgr.PlayMode, SaveDataCur.m_strStageKey);
  SaveDataCur.CycleSelection(SceneMgr.PlayMode, 0);
  DrawPanel();
}

void cSceneWorldMap::DrawPanel() {
  if (m_Panels.empty()) return;
  DrawRankSet(RankSet, &m_Panels.back(), 0, 0, SaveDataCur.m_nRankKind, -1);
  m_Panels.back().bLost = 0;
}

void cSceneWorldMap::DrawMapView() {
  if (!MenuDrawing()) return;
  ++g_viewDraws;
  DDSURFACEDATA* view = &SurfaceRecords[kViewRow];
  DDFillRect(view, 0, 0, 640, 480, static_cast<DWORD>(WorldMap.nBackColor));
  if (WorldMap.bBackBitmap != 0) {
    const int dx = std::max(0, -32 * m_nViewX);
    const int dy = std::max(0, -32 * m_nViewY);
    const int sx = std::max(0, 32 * m_nViewX);
    const int sy = std::max(0, 32 * m_nViewY);
    DDBlt(view, dx, dy, 640, 480, &SurfaceRecords[kBackRow], sx, sy, DDBLT_OPAQUE);
  }
  DDBeginBatch(1);
  for (int r = 0; r < kViewRows; ++r) {
    for (int c = 0; c < kViewColumns; ++c) {
      const int x = m_nViewX + c;
      const int y = m_nViewY + r;
      if (x < 0 || y < 0 || x >= WorldMap.nWidth || y >= WorldMap.nHeight) continue;
      const int chip = WorldMap.Tiles[WorldMap.Cells[CellIndex(x, y)]].nGraphic;
      DDBlt(view, 32 * c, 32 * r, 32, 32, &SurfaceRecords[kChipRow], (chip % 5) * 32, (chip / 5) * 32, DDBLT_KEYED);
    }
  }
  DDFlushBatch();
  DDBeginBatch(1);
  for (const cMapPoint& point : WorldMap.Points) {
    const cMapEvent* event = SelectEvent(&point);
    if (event == nullptr) continue;
    DDBlt(view, 32 * (point.nX - m_nViewX), 32 * (point.nY - m_nViewY), 32, 32, &SurfaceRecords[kEventRow],
          IsCleared(event) != 0 ? 32 : 0, 32 * event->nIcon, DDBLT_KEYED);
  }
  DDFlushBatch();
  view->bLost = 0;
  g_drawnViewX = m_nViewX;
  g_drawnViewY = m_nViewY;
}

void cSceneWorldMap::MoveHero(std::uint16_t directions) {
  MenuCursorPos& hero = Hero();
  if ((directions & 15) != 0) {
    SaveDataCur.m_nMapPrevX = hero.column;
    SaveDataCur.m_nMapPrevY = hero.row;
    m_Saved = hero;
  }
  if ((directions & 1) != 0) {
    m_nFacing = 2;
    hero.column = std::max(hero.column - 1, 0);
  } else if ((directions & 2) != 0) {
    m_nFacing = 3;
    hero.column = std::min(hero.column + 1, WorldMap.nWidth - 1);
  } else if ((directions & 4) != 0) {
    m_nFacing = 1;
    hero.row = std::max(hero.row - 1, 0);
  } else if ((directions & 8) != 0) {
    m_nFacing = 0;
    hero.row = std::min(hero.row + 1, WorldMap.nHeight - 1);
  }
  SelectHere();
  const bool blocked = m_pEvent != nullptr ? m_pEvent->nKind == kEventWall
                                           : WorldMap.Tiles[WorldMap.Cells[CellIndex(hero.column, hero.row)]].bBlocked != 0;
  if (blocked) {
    hero = m_Saved;
  } else {
    m_nViewX = hero.column - kHeroCellX;
    m_nViewY = hero.row - kHeroCellY;
    SaveDataCur.m_nMapDir = m_nFacing;
    if (m_nViewX != g_drawnViewX || m_nViewY != g_drawnViewY) DrawMapView();
  }
  hero.x = kHeroX;
  hero.y = kHeroY;
}

bool cSceneWorldMap::LoadStageFile() {
  if (LoadStageThreaded(m_pEvent->strStageFile, 1, &StageStart) != 0) return true;
  ErrorBoxF("ステージファイル %s が読み込めません！", m_pEvent->strStageFile.c_str());
  return false;
}

void cSceneWorldMap::SetStageUp() {
  cSaveData& save = SaveDataCur;
  save.SetStageName(StageCur.strLoadPath.c_str());
  save.m_nStage = m_pEvent->nStage;
  save.m_nPart = 1;
  if (SystemData.bCarryLives == 0) {
    save.m_nEntryLives = SystemData.StartLives[kStoryMode];
  } else {
    save.m_nEntryLives = SystemData.InfiniteLives[kStoryMode] != 0 ? kUnlimitedLives : save.m_nLives + 1;
  }
  save.m_pMapPoint = m_pEvent;
}

void cSceneWorldMap::FadeIn() {
  if (MenuDrawing() && DDBpp == 8) DrawPanel();
  DrawFrame(SaveDataCur.m_bMapStepBack == 0);
  if (!MenuFadeIn()) return;
  cSaveData& save = SaveDataCur;
  if (IsStage() && save.m_bMapStepBack != 0) {
    save.m_bMapStepBack = 0;
    if (IsCleared(m_pEvent) == 0) {
      // Given up in the stage: the hero stands where it came from.
      Hero().column = save.m_nMapPrevX;
      Hero().row = save.m_nMapPrevY;
      SelectHere();
      m_nViewX = Hero().column - kHeroCellX;
      m_nViewY = Hero().row - kHeroCellY;
      DrawMapView();
    }
    m_nState = kStateMove;
    return;
  }
  if (IsStage() && SceneMgr.PreviousScene != kSceneWorldMenu && NoAutoEnter(m_pEvent) == 0) {
    if (!LoadStageFile()) {
      PostCloseRequest();
      return;
    }
    SetStageUp();
    save.m_nMapPrevX = Hero().column;
    save.m_nMapPrevY = Hero().row;
    LeaveFor(kScenePlay);
    return;
  }
  m_nState = kStateMove;
}

void cSceneWorldMap::LeaveFor(int scene) {
  m_nSubState = 0;
  SceneMgr.NextScene = scene;
  m_nState = kStateExit;
}

void cSceneWorldMap::OpenPrompt() {
  SaveDataCur.m_nMapX = Hero().column;
  SaveDataCur.m_nMapY = Hero().row;
  MenuCursor.Push(0);
  m_nSubState = 0;
  m_nState = kStateConfirm;
}

// Button 3 shows or hides the ranking panel, button 4 picks the next kind. True when either
// acted.
bool cSceneWorldMap::RankingButtons() {
  cSaveData& save = SaveDataCur;
  if (MenuButton(3)) {
    if (StoryRankings()) {
      PlaySE(kSoundRankingPanel);
      save.m_bShowRanking = save.m_bShowRanking != 0 ? 0 : 1;
      DrawPanel();
    } else if (save.m_bShowRanking != 0) {
      save.m_bShowRanking = 0;
      DrawPanel();
    }
    return true;
  }
  if (MenuButton(4)) {
    if (StoryRankings() && SystemData.CountFlags(SceneMgr.PlayMode) >= 2) {
      PlaySE(kSoundRankingPanel);
      save.CycleSelection(SceneMgr.PlayMode, 1);
    }
    if (StoryRankings()) DrawPanel();
    return true;
  }
  return false;
}

void cSceneWorldMap::Move() {
  const std::uint16_t directions = MenuDirections();
  MoveHero(directions);
  MenuCursorSound(kCursorAxesBoth);
  SelectHere();
  if (IsStage()) {
    if (Hero().column != m_StageCell.column || Hero().row != m_StageCell.row) {
      LoadStageData();
      m_StageCell = Hero();
    }
    if (NoAutoEnter(m_pEvent) == 0) {
      OpenPrompt();
      return;
    }
    if (MenuButton(1)) {
      // A cleared stage that cannot be played again takes no notice.
      if (m_pEvent->bReplayable == 0 && IsCleared(m_pEvent) != 0) return;
      OpenPrompt();
      return;
    }
    RankingButtons();
  }
  if (MenuButton(2)) {
    PlaySE(kSoundMenu);
    SaveDataCur.m_nMapX = Hero().column;
    SaveDataCur.m_nMapY = Hero().row;
    LeaveFor(kSceneWorldMenu);
    return;
  }
  DrawFrame(true);
}

void cSceneWorldMap::Confirm() {
  if (m_nSubState == 0) {
    PlaySE(kSoundDecide);
    g_stageLoaded = LoadStageFile() ? 1 : 0;
    MenuCursor.m_pCur->row = 1;
    m_nSubState = 1;
  }
  const int boxX = TextBoxLeft(304, kTextQuestion, 2, 1);
  const std::uint16_t directions = MenuDirections();
  MenuCursor.Move2D(&directions, boxX, 260, 0, 16, 1, 2);
  MenuCursorSound(kCursorAxisVertical);
  const bool decide = MenuButton(1);
  const bool cancel = !decide && MenuButton(2);
  if (decide || cancel) {
    PlaySE(decide ? kSoundDecide : kSoundCancel);
    if (decide && MenuCursor.m_pCur->row == 0 && g_stageLoaded != 0) {
      SaveDataCur.m_nMapDir = m_nFacing;
      SetStageUp();
      LeaveFor(kScenePlay);
      return;
    }
    if (NoAutoEnter(m_pEvent) != 0) {
      MenuCursor.Pop(1);
    } else {
      // The question opened by itself: No sends the hero back where it came from.
      MenuCursor.Pop(1);
      Hero() = m_Saved;
      SelectHere();
    }
    m_nState = kStateMove;
    return;
  }
  RankingButtons();
  DrawFrame(true);
  if (MenuDrawing()) {
    DrawTextBox(boxX, 260, kTextQuestion, 2, 1);
    DDBlt(&SDBackBuffer, MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 16, 16, &SurfaceRecords[kAccessory], 64, 0,
          DDBLT_KEYED);
  }
}

void cSceneWorldMap::Exit() {
  DrawFrame(true);
  if (!MenuFadeOut()) return;
  LeaveMenuScene(kSceneWorldMap);
  m_nState = -1;
}

void cSceneWorldMap::DrawLives() {
  if (SystemData.bMapShowLives == 0) return;
  const std::int32_t lives = SaveDataCur.m_nLives;
  const LivesBox box = LivesBoxOf(lives);
  GameFonts[1].DrawFrame(&SDBackBuffer, box.x, 17, box.width, 20);
  DDBlt(&SDBackBuffer, box.x, 19, 16, 16, &SurfaceRecords[kAccessory], 0, 48, DDBLT_KEYED);
  if (lives == kUnlimitedLives) {
    GameFonts[1].Draw(&SDBackBuffer, box.x + 16, 19, "∞", 0);
  } else {
    GameFonts[1].DrawF(&SDBackBuffer, box.x + 16, 19, "%d", lives);
  }
}

void cSceneWorldMap::DrawStageInfo() {
  if (!IsStage()) return;
  const cSaveData& save = SaveDataCur;
  if (StoryRankings() && save.m_bShowRanking != 0 && !m_Panels.empty()) {
    if (m_Panels.back().bLost != 0) DrawPanel();
    DDBlt(&SDBackBuffer, 367, 64, 272, 352, &m_Panels.back(), 0, 0, DDBLT_OPAQUE);
  }
  const bool best = SystemData.bMapShowScore != 0 && m_nClearValue > 0;
  const int y = best ? 184 : 204;
  const std::string& name = m_pEvent->strStageTitle;
  if (!name.empty()) {
    const int w = 16 * StrCharCount(name);
    GameFonts[1].DrawBox(&SDBackBuffer, 304 - w / 2, y, w, 16, name.c_str(), 0);
  }
  if (best) {
    const std::string text = SystemData.Texts[kTextBest] + std::to_string(m_nClearValue);
    const int w = 16 * (StrCharCount(SystemData.Texts[kTextBest]) + DigitCount(m_nClearValue));
    GameFonts[1].DrawBox(&SDBackBuffer, 304 - w / 2, y + 20, w, 16, text.c_str(), 0);
  }
}

void cSceneWorldMap::DrawFrame(bool stageInfo) {
  if (!MenuDrawing()) return;
  DDSURFACEDATA* view = &SurfaceRecords[kViewRow];
  if (view->bLost != 0) DrawMapView();
  DDBlt(&SDBackBuffer, 0, 0, 640, 480, view, 0, 0, DDBLT_OPAQUE);
  static constexpr int kHeroCells[4][2] = {{0, 64}, {64, 64}, {64, 96}, {0, 96}};
  const int facing = std::clamp(m_nFacing, 0, 3);
  if (++g_heroFrames >= 80) g_heroFrames = 0;
  const int step = g_heroFrames > 40 ? 32 : 0;
  DDBlt(&SDBackBuffer, kHeroX, kHeroY, 32, 32, &SurfaceRecords[kAccessory], kHeroCells[facing][0] + step,
        kHeroCells[facing][1], DDBLT_KEYED);
  DrawLives();
  if (stageInfo) DrawStageInfo();
}
