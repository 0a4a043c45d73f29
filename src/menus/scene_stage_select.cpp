#include "menus/scene_stage_select.h"

#include <algorithm>

#include "core/close_request.h"
#include "core/message_boxes.h"
#include "core/scene_manager.h"
#include "core/strings.h"
#include "data/project_paths.h"
#include "data/rankings.h"
#include "data/save_data.h"
#include "data/stage_data.h"
#include "data/stage_loader.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "gfx/core_blit.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/game_fonts.h"
#include "gfx/palette_animation.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "input/menu_cursor.h"
#include "sound/sound_effects.h"
#include "world/ranking_draw.h"

namespace {

constexpr int kAccessory = 49;
constexpr int kWindowSheet = 45;
constexpr int kPage = 10;
constexpr int kTop = 160;
constexpr int kRowHeight = 32;
constexpr int kCursorX = 32;
constexpr int kLabelX = 64;
constexpr int kChallengeMode = 1;
constexpr int kChallengeTitleEntry = 2;

enum : int { kStateFadeIn, kStateList, kStateExit };
enum : int { kSoundDecide = 1, kSoundCancel = 2, kSoundRefused = 3, kSoundRankingPanel = 6 };
enum : int { kTextStageLabel = 0, kTextBestHeader = 3, kTextTotal = 4 };

const std::string& Text(int index) {
  static const std::string none;
  return index >= 0 && index < static_cast<int>(SystemData.Texts.size()) ? SystemData.Texts[index] : none;
}

bool ChallengeRankings() { return SystemData.ModeRanking[kChallengeMode].bRanking != 0; }

}  // namespace

std::string ChallengeStageFile(int stage) {
  std::string number;
  NumberText(number, stage, 2, true, false);
  return std::string(ProjectPaths[kPathChallengeStagePrefix]) + number + "-1." + ProjectExts[kExtStage];
}

cSceneStageSelect::cSceneStageSelect() {
  AddState(&cSceneStageSelect::FadeIn);
  AddState(&cSceneStageSelect::List);
  AddState(&cSceneStageSelect::Exit);
}

cSceneStageSelect::~cSceneStageSelect() {
  DDReleaseSurface(&SurfaceRecords[kAccessory]);
  DDReleaseSurface(&SurfaceRecords[kWindowSheet]);
  DDReleaseSurfaceList(m_Images);
}

void cSceneStageSelect::CountRows() {
  m_nRows = SystemData.bChallengeAllOpen != 0 ? SystemData.nChallengeStages : SaveDataCur.m_nChallengeOpen;
  m_nRows = std::max(m_nRows, 0);
  m_nVisible = std::min(kPage, std::max(m_nRows - m_nTop, 0));
}

void cSceneStageSelect::Init() {
  RequestMenuMusic(2);
  static constexpr int kRows[] = {kAccessory, kWindowSheet};
  if (MenuDrawing() && !DDLoadSurfaceTable(SurfaceRecords, kRows, 2)) PostCloseRequest();
  MenuCursor.Reset();
  MenuCursor.m_pCur->row = SceneMgr.StageSelRow;
  m_nTop = SceneMgr.StageSelTop;
  CountRows();
  LoadStageData(MenuCursor.m_pCur->row + 1);
  if (CreateMenuImage(m_Images, m_ImageDefs, 640, 480, 0) != nullptr) DrawImage();
  m_nSubState = 0;
}

void cSceneStageSelect::LoadStageData(int stage) {
  SaveDataCur.SetStageName(ChallengeStageFile(stage).c_str());
  if (SceneMgr.RankingEnabled != 0) LoadRankingFile(RankSet, SceneMgr.PlayMode, SaveDataCur.m_strStageKey);
}

void cSceneStageSelect::DrawImage() {
  if (m_Images.empty()) return;
  DDSURFACEDATA* image = &m_Images.back();
  const cSaveData& save = SaveDataCur;
  DrawMenuPage(image, SystemData.TitleMenu[kChallengeTitleEntry].strName);
  if (SystemData.bSelectShowTotal != 0 && save.m_nClearSum > 0) {
    const int w = 16 * (StrCharCount(Text(kTextTotal)) + DigitCount(save.m_nClearSum));
    GameFonts[1].DrawF(image, 320 - w / 2, 88, "%s%d", Text(kTextTotal).c_str(), save.m_nClearSum);
  }
  if (save.m_bShowRanking == 0 && SystemData.bSelectShowHigh != 0) {
    GameFonts[2].DrawF(image, 32, 128, "         %s", Text(kTextBestHeader).c_str());
  }
  const int signX = 32 * (StrCharCount(Text(kTextStageLabel)) + 4);
  for (int r = 0; r < m_nVisible; ++r) {
    const int i = m_nTop + r;
    const int y = kTop + kRowHeight * r;
    GameFonts[2].DrawF(image, kLabelX, y, "%s%d", Text(kTextStageLabel).c_str(), i + 1);
    const cData2Int& record = SaveDataCur.m_Challenge[i];
    if (record.m_nFirst != 0) DDBlt(image, signX, y, 32, 32, &SurfaceRecords[kAccessory], 96, 0, DDBLT_KEYED);
    if (SystemData.bSelectShowHigh != 0) GameFonts[2].DrawF(image, signX + 64, y, "%d", record.m_nSecond);
  }
  if (ChallengeRankings() && save.m_bShowRanking != 0) DrawRankSet(RankSet, image, 292, 108, save.m_nRankKind, -1);
  image->bLost = 0;
}

void cSceneStageSelect::DrawFrame() { ShowFullScreenImage(m_Images, false, [this] { DrawImage(); }); }

void cSceneStageSelect::FadeIn() {
  ShowFullScreenImage(m_Images, true, [this] { DrawImage(); });
  if (MenuFadeIn()) m_nState = kStateList;
}

bool cSceneStageSelect::Decide() {
  const int row = MenuCursor.m_pCur->row;
  const std::string file = ChallengeStageFile(row + 1);
  if (LoadStageThreaded(file, 1, &StageStart) == 0) {
    PlaySE(kSoundRefused);
    ErrorBoxF("ステージファイル %s が読み込めません！", file.c_str());
    return false;
  }
  PlaySE(kSoundDecide);
  cSaveData& save = SaveDataCur;
  save.SetStageName(StageCur.strLoadPath.c_str());
  save.m_nPart = 1;
  save.m_nStage = row + 1;
  save.SetStartLives(kChallengeMode);
  save.m_bMultiPart = 1;
  SceneMgr.StageSelRow = row;
  SceneMgr.StageSelTop = m_nTop;
  SceneMgr.NextScene = kScenePlay;
  m_nState = kStateExit;
  return true;
}

void cSceneStageSelect::List() {
  CountRows();
  const std::uint16_t directions = MenuDirections();
  MenuCursor.MoveList(&directions, 1, &m_nTop, kTop, kRowHeight, kCursorX, m_nVisible, m_nRows, 1);
  CountRows();
  MenuCursorSound(kCursorAxesBoth);
  // Any direction reloads the stage under the cursor, moved or not.
  if ((directions & 15) != 0) {
    LoadStageData(MenuCursor.m_pCur->row + 1);
    DrawImage();
  }
  if (MenuButton(1)) {
    if (Decide()) return;
  } else if (MenuButton(2)) {
    PlaySE(kSoundCancel);
    SceneMgr.NextScene = kSceneTitle;
    m_nState = kStateExit;
    return;
  } else if (MenuButton(3)) {
    cSaveData& save = SaveDataCur;
    if (ChallengeRankings()) {
      PlaySE(kSoundRankingPanel);
      save.m_bShowRanking = save.m_bShowRanking != 0 ? 0 : 1;
      DrawImage();
    } else {
      save.m_bShowRanking = 0;
    }
  } else if (MenuButton(4) && ChallengeRankings()) {
    if (SystemData.CountFlags(SceneMgr.PlayMode) >= 2) {
      PlaySE(kSoundRankingPanel);
      SaveDataCur.CycleSelection(SceneMgr.PlayMode, 1);
    }
    DrawImage();
  }
  DrawFrame();
  if (MenuDrawing()) {
    DDBlt(&SDBackBuffer, MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 32, 32, &SurfaceRecords[kAccessory], 0, 0,
          DDBLT_KEYED);
  }
}

void cSceneStageSelect::Exit() {
  if (!MenuFadeOut()) return;
  LeaveMenuScene(kSceneStageSelect);
  m_nState = -1;
}
