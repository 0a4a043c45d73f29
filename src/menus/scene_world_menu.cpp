#include "menus/scene_world_menu.h"

#include <algorithm>

#include "core/close_request.h"
#include "core/scene_manager.h"
#include "core/strings.h"
#include "data/save_data.h"
#include "data/save_slots.h"
#include "data/system_data.h"
#include "gfx/core_blit.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/frame_blit.h"
#include "gfx/game_fonts.h"
#include "gfx/palette_animation.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "gfx/text_box.h"
#include "input/menu_cursor.h"
#include "menus/save_slot_list.h"
#include "sound/sound_effects.h"

namespace {

constexpr int kWindowSheet = 45;
constexpr int kSymbols = 50;
constexpr int kAccessory = 49;
constexpr int kSurfaceRows[] = {kWindowSheet, kSymbols, kAccessory};
constexpr int kMaxRows = 4;
constexpr int kMenuX = 264;
constexpr int kMenuY = 192;
constexpr int kRowHeight = 16;

enum : int { kStateFadeIn, kStateMenu, kStateSave, kStateAutoSave, kStateBack, kStateToTitle, kStateExit };
enum : int { kSoundDecide = 1, kSoundCancel = 2, kSoundSaved = 5 };
enum : int {
  kTextTotal = 4,
  kTextSaveQuestion = 12,
  kTextAutoSaveQuestion = 14,
  kTextNoSlot = 16,
  kTextTitleQuestion = 17
};

void Cursor(int x, int y, int sx) {
  if (MenuDrawing()) DDBlt(&SDBackBuffer, x, y, 16, 16, &SurfaceRecords[kAccessory], sx, 0, DDBLT_KEYED);
}

void ClearScreen() {
  if (MenuDrawing()) DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 16);
}

// A two-answer question at y: the grid move over its rows and the cursor sound.
int QuestionLeft(int first) { return TextBoxLeft(320, first, 2, 1); }

void MoveOverQuestion(int first, int y) {
  const std::uint16_t directions = MenuDirections();
  MenuCursor.Move2D(&directions, QuestionLeft(first), y, 0, kRowHeight, 1, 2);
  MenuCursorSound(kCursorAxisVertical);
}

void DrawQuestion(int first, int y) {
  ClearScreen();
  if (MenuDrawing()) DrawTextBox(QuestionLeft(first), y, first, 2, 1);
}

}  // namespace

int DrawStoryTotal() {
  const std::int32_t total = SaveDataCur.m_nClearSum;
  if (SystemData.bMenuShowTotal == 0 || total <= 0) return 0;
  const std::string& label = SystemData.Texts[kTextTotal];
  const int w = 16 * (StrCharCount(label) + DigitCount(total));
  if (MenuDrawing()) {
    const int x = 320 - w / 2;
    GameFonts[1].DrawFrame(&SDBackBuffer, x, 260, w, 16);
    GameFonts[1].DrawF(&SDBackBuffer, x, 260, "%s%d", label.c_str(), total);
  }
  return w;
}

cSceneWorldMenu::cSceneWorldMenu() {
  AddState(&cSceneWorldMenu::FadeIn);
  AddState(&cSceneWorldMenu::Menu);
  AddState(&cSceneWorldMenu::Save);
  AddState(&cSceneWorldMenu::AutoSave);
  AddState(&cSceneWorldMenu::Back);
  AddState(&cSceneWorldMenu::ToTitle);
  AddState(&cSceneWorldMenu::Exit);
}

cSceneWorldMenu::~cSceneWorldMenu() {
  for (int row : kSurfaceRows) DDReleaseSurface(&SurfaceRecords[row]);
}

void cSceneWorldMenu::Init() {
  RequestMenuMusic(1);
  if (MenuDrawing() && !DDLoadSurfaceTable(SurfaceRecords, kSurfaceRows, 3)) PostCloseRequest();
  m_Rows = EnabledRows(SystemData.MapMenu, kMaxRows);
  MenuCursor.Reset();
  m_nSubState = 0;
}

void cSceneWorldMenu::DrawMenuScreen() {
  ClearScreen();
  if (!MenuDrawing()) return;
  int widest = 0;
  for (int entry : m_Rows) widest = std::max(widest, StrCharCount(SystemData.MapMenu[entry].strName));
  const int rows = static_cast<int>(m_Rows.size());
  DDBltFrame(&SDBackBuffer, kMenuX, kMenuY, 16 * (widest + 1), kRowHeight * rows, &SurfaceRecords[kWindowSheet], 1,
             240);
  for (int i = 0; i < rows; ++i) {
    GameFonts[1].Draw(&SDBackBuffer, kMenuX + 16, kMenuY + kRowHeight * i, SystemData.MapMenu[m_Rows[i]].strName.c_str(),
                      0);
  }
  DrawStoryTotal();
  AnimatePalette();
}

void cSceneWorldMenu::FadeIn() {
  DrawMenuScreen();
  Cursor(kMenuX, kMenuY, 64);
  if (MenuFadeIn()) m_nState = kStateMenu;
}

void cSceneWorldMenu::Menu() {
  const std::uint16_t directions = MenuDirections();
  MenuCursor.Move2D(&directions, kMenuX, kMenuY, 0, kRowHeight, 1, static_cast<int>(m_Rows.size()));
  MenuCursorSound(kCursorAxisVertical);
  if (MenuButton(1)) {
    PlaySE(kSoundDecide);
    const int row = std::clamp(MenuCursor.m_pCur->row, 0, static_cast<int>(m_Rows.size()) - 1);
    m_nState = m_Rows[static_cast<std::size_t>(row)] + kStateSave;
    MenuCursor.Push(0);
    return;
  }
  if (MenuButton(2)) {
    PlaySE(kSoundCancel);
    m_nState = kStateBack;
    return;
  }
  DrawMenuScreen();
  Cursor(MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 64);
}

int cSceneWorldMenu::Ask(int first, int y) {
  MoveOverQuestion(first, y);
  if (MenuButton(1)) {
    PlaySE(kSoundDecide);
    return MenuCursor.m_pCur->row;
  }
  if (MenuButton(2)) {
    PlaySE(kSoundCancel);
    BackToMenu();
    return kCancelled;
  }
  DrawQuestion(first, y);
  Cursor(MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 64);
  return kAsking;
}

void cSceneWorldMenu::BackToMenu() {
  MenuCursor.Pop(1);
  m_nSubState = 0;
  m_nState = kStateMenu;
}

void cSceneWorldMenu::Save() {
  if (m_nSubState == 0) {
    *MenuCursor.m_pCur = MenuCursorPos{};
    MenuCursor.m_pCur->row = SaveDataCur.m_nSaveSlot;
    m_nSubState = 1;
    ScanSaveSlots(SaveSlotInfos);
    m_nSlotTop = MenuCursor.m_pCur->row;
  }
  if (m_nSubState == 1) {
    MoveOverSlotList(MenuDirections(), &m_nSlotTop);
    MenuCursorSound(kCursorAxesBoth);
    if (MenuButton(1)) {
      PlaySE(kSoundDecide);
      MenuCursor.Push(0);
      m_nSubState = 2;
      MenuCursor.m_pCur->row = 1;
    } else if (MenuButton(2)) {
      PlaySE(kSoundCancel);
      BackToMenu();
    } else {
      ClearScreen();
      DrawSlotListAt(m_nSlotTop);
      Cursor(MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 64);
    }
    return;
  }
  MoveOverQuestion(kTextSaveQuestion, 400);
  if (MenuButton(1)) {
    if (MenuCursor.m_pCur->row == 0) {
      PlaySE(kSoundSaved);
      const int slot = MenuCursor.m_pPrev->row;
      SaveDataCur.m_nSaveSlot = slot;
      SaveDataCur.SaveSlot(slot);
    } else {
      PlaySE(kSoundDecide);
    }
    MenuCursor.Pop(1);
    m_nSubState = 1;
    return;
  }
  if (MenuButton(2)) {
    PlaySE(kSoundCancel);
    MenuCursor.Pop(1);
    m_nSubState = 1;
    return;
  }
  ClearScreen();
  DrawSlotListAt(m_nSlotTop);
  if (MenuDrawing()) {
    DrawTextBox(QuestionLeft(kTextSaveQuestion), 400, kTextSaveQuestion, 2, 1);
  }
  Cursor(MenuCursor.m_pPrev->x, MenuCursor.m_pPrev->y, 80);
  Cursor(MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 64);
}

void cSceneWorldMenu::AutoSave() {
  cSaveData& save = SaveDataCur;
  if (m_nSubState == 0) {
    *MenuCursor.m_pCur = MenuCursorPos{};
    MenuCursor.m_pCur->row = save.m_bAutoSave != 0 ? 0 : 1;
    m_nSubState = save.m_nSaveSlot == -1 ? 2 : 1;
  }
  if (m_nSubState == 2) {
    // No slot yet: auto-save is refused until the story has been saved once.
    if (MenuButton(1) || MenuButton(2)) {
      PlaySE(MenuButton(1) ? kSoundDecide : kSoundCancel);
      BackToMenu();
      return;
    }
    ClearScreen();
    if (MenuDrawing()) DrawTextBox(TextBoxLeft(320, kTextNoSlot, 1, 0), 232, kTextNoSlot, 1, 0);
    return;
  }
  const int answer = Ask(kTextAutoSaveQuestion, 224);
  if (answer == kAsking || answer == kCancelled) return;
  if (answer == 0) {
    // Only together with a save into the known slot, so that a switch that is on has one.
    save.SaveSlot(save.m_nSaveSlot);
    save.m_bAutoSave = 1;
  } else {
    save.m_bAutoSave = 0;
  }
  BackToMenu();
}

void cSceneWorldMenu::Back() {
  m_nSubState = 0;
  SceneMgr.NextScene = kSceneWorldMap;
  m_nState = kStateExit;
}

void cSceneWorldMenu::ToTitle() {
  if (m_nSubState == 0) {
    *MenuCursor.m_pCur = MenuCursorPos{};
    MenuCursor.m_pCur->row = 1;
    m_nSubState = 1;
  }
  const int answer = Ask(kTextTitleQuestion, 224);
  if (answer == 0) {
    SceneMgr.NextScene = kSceneTitle;
    m_nState = kStateExit;
  } else if (answer == 1) {
    BackToMenu();
  }
}

void cSceneWorldMenu::Exit() {
  if (!MenuFadeOut()) return;
  ClearScreen();
  // The next scene resets the cursor itself.
  SceneMgr.PreviousScene = kSceneWorldMenu;
  SceneMgr.CurrentScene = SceneMgr.NextScene;
  m_nState = -1;
}
