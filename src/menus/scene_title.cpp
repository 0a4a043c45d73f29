#include "menus/scene_title.h"

#include <algorithm>

#include "core/close_request.h"
#include "core/game_requests.h"
#include "core/scene_manager.h"
#include "core/strings.h"
#include "data/save_data.h"
#include "data/save_slots.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "gfx/core_blit.h"
#include "gfx/dd_surface.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_state.h"
#include "gfx/frame_blit.h"
#include "gfx/game_fonts.h"
#include "gfx/palette_animation.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "input/menu_cursor.h"
#include "menus/replay_dialog.h"
#include "menus/save_slot_list.h"
#include "sound/sound_effects.h"
#include "sound/sound_script.h"

namespace {

constexpr int kTitlePicture = 47;
constexpr int kModeSheet = 48;
constexpr int kAccessory = 49;
constexpr int kWindowSheet = 45;

constexpr int kMaxRows = 7;
constexpr int kRowHeight = 32;

enum : int { kStateFadeIn, kStateMenu, kStateContinue, kStateExit };
enum : int { kSoundDecide = 1, kSoundCancel = 2, kSoundRefused = 3 };
enum : int { kEntryNewGame, kEntryContinue, kEntryChallenge, kEntryFree, kEntryReplay, kEntryOptions, kEntryEnd };

constexpr int kStoryMode = 0;

bool Drawing() { return MenuDrawing(); }

std::string Label(int entry) {
  const cVector<cSysNamedEntry>& menu = SystemData.TitleMenu;
  return entry >= 0 && entry < static_cast<int>(menu.size()) ? menu[entry].strName : std::string();
}

// The play mode's ranking switch, from its settings entry.
void EnterMode(int mode) {
  SceneMgr.PlayMode = mode;
  SceneMgr.RankingEnabled = SystemData.ModeRanking[mode].bRanking;
}

}  // namespace

TitleMenuLayout TitleMenuGeometry(bool imageMenu, int sheetWidth, const std::vector<std::string>& labels) {
  TitleMenuLayout layout;
  layout.height = static_cast<int>(labels.size()) * kRowHeight + 2;
  if (imageMenu) {
    // Centres the strips on x = 320.
    layout.x = 288 - sheetWidth / 2;
    layout.width = sheetWidth + 32;
  } else {
    int widest = 0;
    for (const std::string& label : labels) widest = std::max(widest, StrCharCount(label));
    layout.width = 32 * widest + 34;
  }
  return layout;
}

cSceneTitle::cSceneTitle() {
  AddState(&cSceneTitle::FadeIn);
  AddState(&cSceneTitle::Menu);
  AddState(&cSceneTitle::Continue);
  AddState(&cSceneTitle::Exit);
}

cSceneTitle::~cSceneTitle() {
  for (int row : surface_rows::kTitle) DDReleaseSurface(&SurfaceRecords[row]);
  DDReleaseSurfaceList(m_Images);
}

void cSceneTitle::Run() {
  RunSoundScript(m_nFrames++);
  cMenuScene::Run();
}

void cSceneTitle::Init() {
  RequestMenuMusic(0);
  if (Drawing() &&
      !DDLoadSurfaceTable(SurfaceRecords, surface_rows::kTitle.data(), static_cast<int>(surface_rows::kTitle.size()))) {
    PostCloseRequest();
  }
  MenuCursor.Reset();
  m_Rows = EnabledRows(SystemData.TitleMenu, kMaxRows);
  // The cursor on the entry chosen last; when it is not shown, on that row number, which the
  // first move wraps.
  MenuCursor.m_pCur->row = SceneMgr.TitleChoice;
  const auto chosen = std::find(m_Rows.begin(), m_Rows.end(), SceneMgr.TitleChoice);
  if (chosen != m_Rows.end()) MenuCursor.m_pCur->row = static_cast<std::int32_t>(chosen - m_Rows.begin());
  std::vector<std::string> labels;
  for (int entry : m_Rows) labels.push_back(Label(entry));
  const bool imageMenu = SystemData.bTitleMenuBitmap != 0;
  m_Layout = TitleMenuGeometry(imageMenu, SurfaceRecords[kModeSheet].nWidth, labels);
  if (CreateMenuImage(m_Images, m_ImageDefs, m_Layout.width, m_Layout.height, 1) != nullptr) DrawMenuImage();
  m_nSubState = 0;
}

void cSceneTitle::DrawMenuImage() {
  if (m_Images.empty()) return;
  DDSURFACEDATA* image = &m_Images.back();
  DDSURFACEDATA* sheet = &SurfaceRecords[kModeSheet];
  if (SystemData.bTitleMenuBitmap != 0) {
    DDFillRect(image, 0, 0, m_Layout.width, m_Layout.height, 0);
    for (std::size_t i = 0; i < m_Rows.size(); ++i) {
      DDBlt(image, 32, kRowHeight * static_cast<int>(i), sheet->nWidth, kRowHeight, sheet, 0, kRowHeight * m_Rows[i],
            DDBLT_OPAQUE);
    }
  } else {
    DDBltFrame(image, 1, 1, m_Layout.width - 2, m_Layout.height - 2, &SurfaceRecords[kWindowSheet], 1, 240);
    for (std::size_t i = 0; i < m_Rows.size(); ++i) {
      GameFonts[2].Draw(image, 32, kRowHeight * static_cast<int>(i), Label(m_Rows[i]).c_str(), 0);
    }
  }
  image->bLost = 0;
}

void cSceneTitle::DrawFrame(bool fadingIn) {
  if (!Drawing()) return;
  DDBlt(&SDBackBuffer, 0, 0, 640, 480, &SurfaceRecords[kTitlePicture], 0, 0, DDBLT_OPAQUE);
  if (!m_Images.empty()) {
    if (MenuImageStale(m_Images, fadingIn)) DrawMenuImage();
    DDBlt(&SDBackBuffer, m_Layout.x, m_Layout.y, m_Layout.width, m_Layout.height, &m_Images.back(), 0, 0, DDBLT_KEYED);
  }
  AnimatePalette();
}

void cSceneTitle::FadeIn() {
  DrawFrame(true);
  if (MenuFadeIn()) m_nState = kStateMenu;
}

void cSceneTitle::Menu() {
  const std::uint16_t directions = MenuDirections();
  MenuCursor.Move2D(&directions, m_Layout.x, m_Layout.y, 0, kRowHeight, 1, static_cast<int>(m_Rows.size()));
  MenuCursorSound(kCursorAxisVertical);
  if (MenuButton(1)) {
    PlaySE(kSoundDecide);
    const int row = std::clamp(MenuCursor.m_pCur->row, 0, static_cast<int>(m_Rows.size()) - 1);
    SceneMgr.TitleChoice = m_Rows[static_cast<std::size_t>(row)];
    Decide(SceneMgr.TitleChoice);
    return;
  }
  DrawFrame(false);
  if (Drawing()) {
    DDBlt(&SDBackBuffer, MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 32, 32, &SurfaceRecords[kAccessory], 0, 0,
          DDBLT_KEYED);
  }
}

void cSceneTitle::Decide(int entry) {
  switch (entry) {
    case kEntryNewGame:
      EnterMode(kStoryMode);
      NewGameReset();
      SceneMgr.NextScene = kSceneWorldMap;
      m_nState = kStateExit;
      break;
    case kEntryContinue:
      EnterMode(kStoryMode);
      MenuCursor.Push(0);
      m_nState = kStateContinue;
      m_nSubState = 0;
      break;
    case kEntryChallenge:
      EnterMode(1);
      // A challenge file that does not read starts the challenges afresh.
      if (SaveDataCur.LoadChallenge() == 0) {
        SaveDataCur.Reset();
        SaveDataCur.m_Challenge.assign(static_cast<std::size_t>(std::max(SystemData.nChallengeStages, 0)), cData2Int{});
      }
      SceneMgr.NextScene = kSceneStageSelect;
      m_nState = kStateExit;
      break;
    case kEntryFree:
      EnterMode(2);
      if (RequestFileDialog(kRequestOpenStage) != 0) {
        SceneMgr.NextScene = kScenePlay;
        m_nState = kStateExit;
      }
      break;
    case kEntryReplay:
      EnterMode(3);
      if (RequestReplayLoad()) {
        SceneMgr.NextScene = kScenePlay;
        m_nState = kStateExit;
      }
      break;
    case kEntryOptions:
      SceneMgr.NextScene = kSceneOption;
      m_nState = kStateExit;
      break;
    case kEntryEnd: PostCloseRequest(); break;
    default: break;
  }
}

void cSceneTitle::Continue() {
  if (m_nSubState == 0) {
    *MenuCursor.m_pCur = MenuCursorPos{};
    m_nSlotTop = 0;
    m_nSubState = 1;
    ScanSaveSlots(SaveSlotInfos);
  }
  MoveOverSlotList(MenuDirections(), &m_nSlotTop);
  MenuCursorSound(kCursorAxesBoth);
  if (MenuButton(1)) {
    const int slot = MenuCursor.m_pCur->row;
    // A slot that does not read is refused as an empty one is.
    if (SaveSlotInfos[slot].m_bUsed != 0 && SaveDataCur.LoadSlot(slot) != 0) {
      PlaySE(kSoundDecide);
      SceneMgr.NextScene = kSceneWorldMap;
      m_nState = kStateExit;
    } else {
      PlaySE(kSoundRefused);
    }
    return;
  }
  if (MenuButton(2)) {
    PlaySE(kSoundCancel);
    MenuCursor.Pop(1);
    m_nState = kStateMenu;
    m_nSubState = 0;
    return;
  }
  if (!Drawing()) return;
  DDBlt(&SDBackBuffer, 0, 0, 640, 480, &SurfaceRecords[kTitlePicture], 0, 0, DDBLT_OPAQUE);
  AnimatePalette();
  DrawSlotListAt(m_nSlotTop);
  DDBlt(&SDBackBuffer, MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 16, 16, &SurfaceRecords[kAccessory], 64, 0,
        DDBLT_KEYED);
}

void cSceneTitle::Exit() {
  if (!MenuFadeOut()) return;
  LeaveMenuScene(kSceneTitle);
  m_nState = -1;
}

void NewGameReset() {
  cSaveData& save = SaveDataCur;
  save.Reset();
  save.m_nMapX = WorldMap.nStartX;
  save.m_nMapY = WorldMap.nStartY;
  save.m_nLap = 0;
  save.SetStartLives(kStoryMode);
}
