// The play scene's states around the play frame: fade-in, ready banners, pause menu, clear
// display, retry menu, game over and the exit.
#include "core/close_request.h"
#include "core/program_state.h"
#include "core/report_log.h"
#include "core/strings.h"
#include "data/play_stage_file.h"
#include "data/rankings.h"
#include "data/option_data.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "gfx/core_blit.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/frame_blit.h"
#include "gfx/game_fonts.h"
#include "gfx/screen_effects.h"
#include "gfx/screen_fade.h"
#include "gfx/surface_records.h"
#include "gfx/dd_fill.h"
#include "input/input.h"
#include "input/input_source.h"
#include "input/menu_cursor.h"
#include "input/replay.h"
#include "platform/input/virtual_keys.h"
#include "world/frame_log.h"
#include "world/play_progress.h"
#include "world/ranking_draw.h"
#include "world/scene_play.h"
#include "world/world_sound.h"

std::atomic<int> PlaySceneQuit{0};

namespace {

// Rows of the surface table the states draw from.
constexpr int kAccessoryRow = play_rows::kAccessory;
constexpr int kWordRow = play_rows::kWord;

// System sounds of the menus.
enum : int { kSoundCursor = 0, kSoundDecide = 1, kSoundCancel = 2, kSoundPause = 4 };

// Banner frames: the ready banners show for 80 frames; the clear display can be left at 200.
constexpr int kBannerFrames = 80;
constexpr int kClearLeaveCount = 200;

// Interface texts.
constexpr int kTextPauseFirst = 19;
constexpr int kTextRetryFirst = 22;
constexpr int kTextRankingHint = 27;
constexpr int kKeyRankingEntry = platform::vk::kF1 + 2;  // F3

bool Drawing() { return DDInitialised != 0; }

DDSURFACEDATA* WordSheet() { return &SurfaceRecords[kWordRow]; }

void BlitWord(int sx, int sy, int w, int x, int y) {
  if (Drawing()) DDBlt(&SDBackBuffer, x, y, w, 32, WordSheet(), sx, sy, DDBLT_KEYED);
}

// The box of a play-scene menu with the cursor at its row.
void DrawMenuBox(int first, int count, int left, int top) {
  if (!Drawing() || count <= 0) return;
  const int width = (320 - left) * 2;
  GameFonts[1].DrawBox(&SDBackBuffer, left, top, width, count * 16, TextBoxText(first, count, 1).c_str(), 0);
  const MenuCursorPos& cursor = *MenuCursor.m_pCur;
  DDBlt(&SDBackBuffer, cursor.x, cursor.y, 16, 16, &SurfaceRecords[kAccessoryRow], 64, 0, DDBLT_KEYED);
}

// The sound of a cursor key: any vertical direction.
void CursorSound(const cInput& input) {
  if ((input.m_wDir & 12) != 0) WorldSound().PlaySE(kSoundCursor);
}

cInput& PlayerInput() { return PlayerInputs[0]; }

bool KeyDown(int virtualKey) { return InputSource().KeyDown(virtualKey); }

}  // namespace

void cScenePlay::Run() {
  cScene::Run();
  ++nRunFrames;
  AppendFrameLog(*this);
}

int cScenePlay::UseLife(cSaveData& save) {
  if (DirectPlayFlag.load() != 0) return 1;
  if (save.m_nLives == kUnlimitedLives) return 1;
  if (save.m_nLives >= 1) {
    --save.m_nLives;
    return 1;
  }
  return 0;
}

int cScenePlay::CheckPauseKey() {
  if (!KeyDown(platform::vk::kSpace)) return 0;
  WorldSound().PlaySE(kSoundPause);
  nSavedState = m_nState;
  nSavedSubState = m_nSubState;
  return 1;
}

void cScenePlay::ResetRun() {
  cSaveData& save = SaveDataCur;
  // The scene is entered with the entry lives; the attempt then takes one.
  save.m_nLives = save.m_nEntryLives;
  save.m_nScore = save.m_nTotalScore = 0;
  save.m_nTotalTime = save.m_nTotalClearTime = save.m_nTotalHp = save.m_nTotalSp = 0;
  save.m_bNextStart = 0;
  ScrollX.dPos = ScrollY.dPos = 0.0;
  m_nSubState = 0;
  nReady = nReady2 = 0;
  bButtonLatch = 0;
  nTimeLeft = 0;
  bRankRegistered = 0;
  MessageList.clear();
  // The rankings of the stage about to be played, empty when it has none yet.
  if (SceneMgr.RankingEnabled != 0) LoadRankingFile(RankSet, SceneMgr.PlayMode, SaveDataCur.m_strStageKey);
  // A replay being played back was loaded just before; any other visit records afresh.
  if (SceneMgr.TitleChoice != kTitleChoiceReplay) {
    Replay0.Clear();
    Replay1.Clear();
  }
  if (DirectPlayFlag.load() != 0) save.m_nStage = 1;
}

void cScenePlay::Init() {
  RankPlaces.assign(5, -1);
  RankValues.assign(5, 0);
  if (SceneMgr.PreviousScene != kScenePlay || !bSurfacesLoaded) {
    if (!LoadSceneSurfaces(false)) {
      PostCloseRequest();
      return;
    }
    LoadSpecialBitmaps();
    ResetRun();
    UseLife(SaveDataCur);
    SetStage(0, 1);
  } else {
    if (!LoadSceneSurfaces(true)) {
      PostCloseRequest();
      return;
    }
    SetStage(1, 1);
  }
  MenuCursor.Reset();
  m_nSubState = 0;
}

void cScenePlay::FadeIn() {
  Draw(0, 1, 0, 1);
  if (!Drawing() ||
      DDFadeIn(DDPalette, 0, 255, 0, 0, 0, static_cast<double>(SceneMgr.FadeSpeed), DDPaletteSaved, 0)) {
    m_nState = kPlayReady;
  }
}

void cScenePlay::StateReady() {
  Draw(0, 1, 0, 1);
  const bool testPlay = FromEditor.load() != 0 && DirectPlayFlag.load() != 0;
  if (!testPlay) {
    if (SceneMgr.TitleChoice == kTitleChoiceReplay) {
      if (++nReady < kBannerFrames) {
        BlitWord(0, 32, 128, 256, 224);
        return;
      }
    } else {
      if (Stage.bStageBanner != 0 && ++nReady < kBannerFrames) {
        BlitWord(0, 0, 128, 256, 224);
        if (Drawing()) {
          DDDrawNumber(&SDBackBuffer, 384, 224, 32, 32, WordSheet(), 0, 128, DDBLT_KEYED, SaveDataCur.m_nStage, 1, 0);
        }
        return;
      }
      if (Stage.bSecondBanner != 0 && ++nReady2 < kBannerFrames) {
        BlitWord(160, 0, 80, 280, 224);
        return;
      }
    }
  }
  cPlayer& hero = Hero();
  hero.Anime.Change(hero.Flies() ? 2 : 0, 1);
  nReady = 0;
  m_nState = kPlayRunning;
}

namespace {

// Whether the pause menu offers a retry.
bool PauseRetryAllowed() {
  switch (SceneMgr.PlayMode) {
    case 2: return true;
    case 0: return SystemData.bStoryPauseRetry != 0 && StageCleared(SaveDataCur);
    case 1: return SystemData.bChallengePauseRetry != 0 && ChallengeStageCleared(SaveDataCur);
    default: return false;
  }
}

}  // namespace

void cScenePlay::StatePause() {
  if (ReplayHotKeys() != 0) return;
  const bool retry = PauseRetryAllowed();
  const int rows = retry ? 3 : 2;
  cInput& input = PlayerInput();
  if (m_nSubState == 0) {
    MenuCursor.m_pCur->row = 1;
    m_nSubState = 1;
  }
  input.FilterButtonPress(0);
  input.ApplyKeyRepeat();
  const int left = TextBoxLeft(320, kTextPauseFirst, 3, 1);
  MenuCursor.Move2D(&input.m_wDir, left, 272, 0, 16, 1, rows);
  CursorSound(input);
  if ((input.m_wButton & 1) != 0) {
    WorldSound().PlaySE(kSoundDecide);
    switch (MenuCursor.m_pCur->row) {
      case 0:
        m_nState = kPlayExit;
        if (DirectPlayFlag.load() != 0) {
          PostCloseRequest();
        } else {
          nNextScene = kSceneTitle;
          MenuCursor.m_pCur->row = SceneMgr.TitleChoice;
          m_nSubState = 0;
        }
        return;
      case 2:
        if (retry) {
          bButtonLatch = 1;
          SaveDataCur.RestoreSnapshot(1);
          SetStage(1, 0);
          m_nSubState = 0;
          m_nState = kPlayReady;
          return;
        }
        break;
      default:
        break;
    }
    bButtonLatch = 1;
    m_nState = nSavedState;
    m_nSubState = nSavedSubState;
    return;
  }
  if ((input.m_wButton & 2) != 0) {
    WorldSound().PlaySE(kSoundCancel);
    bButtonLatch = 1;
    m_nState = nSavedState;
    m_nSubState = retry ? nSavedSubState : 0;
    return;
  }
  Draw(0, 1, 0, 1);
  DrawMenuBox(kTextPauseFirst, rows, left, 272);
}

void cScenePlay::StateClear() {
  const bool noDisplay = Stage.bNoClearDisplay != 0;
  const int rankMode = OptionData.m_nRankMode;
  const bool entryByKey = rankMode == kRankModeKeyTyped || rankMode == kRankModeKeyFixed;
  if (!noDisplay) {
    if (CheckPauseKey() == 1) {
      m_nSubState = 0;
      m_nState = kPlayPause;
      return;
    }
    ReplayHotKeys();
    if (entryByKey && KeyDown(kKeyRankingEntry)) EnterRanking();
  }
  if (m_nSubState == 0) {
    nReady = 0;
    m_nSubState = 1;
  }
  cInput& input = PlayerInput();
  input.FilterButtonPress(0);
  input.ApplyKeyRepeat();
  const bool leave = nReady >= kClearLeaveCount && (noDisplay || (input.m_wButton & 1) != 0);
  if (leave) {
    if (!noDisplay) {
      if (bRankQualified != 0 && !entryByKey) {
        EnterRanking();
      } else {
        WorldSound().PlaySE(kSoundDecide);
      }
    }
    nNextScene = NextStage();
    nReady = 0;
    m_nSubState = 0;
    m_nState = kPlayExit;
    return;
  }
  // Until the clear is entered in the rankings, F3 is offered where the caption stands.
  const bool offerEntry = !noDisplay && bRankRegistered == 0 && bRankQualified != 0 && entryByKey;
  Draw(0, 1, 0, offerEntry ? 0 : 1);
  if (offerEntry && Drawing() && kTextRankingHint < static_cast<int>(SystemData.Texts.size())) {
    const std::string& hint = SystemData.Texts[kTextRankingHint];
    GameFonts[1].Draw(&SDBackBuffer, 320 - StrCharCount(hint) * 16 / 2, 456, hint.c_str(), 1);
  }
  if (Stage.bClearBanner != 0) {
    nReady += 4;
    if (nReady < 100) {
      if (Drawing()) DDInterlaceBlt(&SDBackBuffer, 256, 192, 128, 32, 4, 100 - nReady, WordSheet(), 0, 64, DDBLT_KEYED, 0);
    } else {
      BlitWord(0, 64, 128, 256, 192);
    }
  } else {
    nReady = kClearLeaveCount;
  }
  if (nReady >= kClearLeaveCount && SceneMgr.RankingEnabled != 0 && !noDisplay && Drawing()) {
    DrawResultTotals(&SDBackBuffer, 336, 224, RankPlaces, Stage);
  }
}

void cScenePlay::StateRetry() {
  if (ReplayHotKeys() != 0) return;
  cInput& input = PlayerInput();
  if (m_nSubState == 0) {
    MenuCursor.m_pCur->row = 0;
    m_nSubState = 1;
  }
  input.FilterButtonPress(0);
  input.ApplyKeyRepeat();
  const int left = TextBoxLeft(320, kTextRetryFirst, 2, 1);
  MenuCursor.Move2D(&input.m_wDir, left, 272, 0, 16, 1, 2);
  CursorSound(input);
  if ((input.m_wButton & 1) != 0) {
    WorldSound().PlaySE(kSoundDecide);
    if (MenuCursor.m_pCur->row == 0) {
      SetStage(1, 0);
      m_nState = kPlayReady;
    } else {
      SaveDataCur.m_bMapStepBack = 1;
      nNextScene = kSceneWorldMap;
      MenuCursor.m_pCur->row = SceneMgr.TitleChoice;
      m_nSubState = 0;
      m_nState = kPlayExit;
    }
    return;
  }
  Draw(0, 1, 0, 1);
  DrawMenuBox(kTextRetryFirst, 2, left, 272);
}

void cScenePlay::StateGameOver() {
  if (CheckPauseKey() == 1) {
    m_nSubState = 0;
    m_nState = kPlayPause;
    return;
  }
  if (ReplayHotKeys() != 0) return;
  if ((PlayerInput().m_wButton & 1) != 0) {
    WorldSound().PlaySE(kSoundDecide);
    m_nState = kPlayExit;
    nNextScene = kSceneTitle;
    return;
  }
  Draw(0, 1, 0, 1);
  if (Stage.bGameOverBanner != 0) BlitWord(0, 96, 144, 248, 224);
}

void cScenePlay::Exit() {
  Draw(0, 1, 0, 1);
  if (Drawing() &&
      !DDFadeOut(DDPalette, 0, 255, 0, 0, 0, static_cast<double>(SceneMgr.FadeSpeed), DDPaletteSaved, 0)) {
    return;
  }
  if (Drawing()) DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 16);
  if (SceneMgr.TitleChoice == 3 && SaveDataCur.m_bMultiPart == 0) {
    if (PlayStageFile(StageFilePath, 0) == 0) PostCloseRequest();
  }
  SceneMgr.FrameRate = 60;
  SceneMgr.CurrentScene = nNextScene;
  SceneMgr.PreviousScene = kScenePlay;
  m_nState = -1;
}

void cScenePlay::ResolveHeroDeath() {
  if (SceneMgr.TitleChoice == kTitleChoiceReplay) {
    SaveDataCur.RestoreSnapshot(1);
    SetStage(1, 1);
    m_nState = kPlayReady;
    return;
  }
  if (UseLife(SaveDataCur) == 0) {
    m_nState = kPlayGameOver;
    return;
  }
  if (Stage.bApplyHeroStatus != 0) SaveDataCur.ClearFlagged(0);
  SaveDataCur.RestoreSnapshot(0);
  if (SceneMgr.PlayMode == 0 && SystemData.bStoryRetryMenu != 0) {
    m_nSubState = 0;
    m_nState = kPlayRetry;
    return;
  }
  SetStage(1, 0);
  m_nState = kPlayReady;
}
