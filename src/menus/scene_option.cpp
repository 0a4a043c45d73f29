#include "menus/scene_option.h"

#include <string>

#include "core/close_request.h"
#include "core/game_requests.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/strings.h"
#include "core/user_files.h"
#include "data/option_data.h"
#include "data/project_paths.h"
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
#include "sound/game_sound_link.h"
#include "sound/sound_effects.h"

namespace {

constexpr int kAccessory = 49;
constexpr int kWindowSheet = 45;
constexpr int kMaxRows = 6;
constexpr int kTop = 96;
constexpr int kRowHeight = 16;
constexpr int kLabelX = 64;
constexpr int kValueX = 208;
constexpr int kCursorX = 48;
constexpr int kArrowX = 192;
constexpr int kOptionsTitleEntry = 5;

enum : int { kStateFadeIn, kStateMain, kStateExit };
enum : int { kSubStart, kSubChoose, kSubEdit };
enum : int { kSoundDecide = 1, kSoundCancel = 2 };
enum : int { kKindPalette, kKindMusic, kKindVolume, kKindEntryMode, kKindName, kKindBack };

bool Drawing() { return MenuDrawing(); }

const std::string& Text(const cVector<cSysNamedEntry>& list, int entry) {
  static const std::string none;
  return entry >= 0 && entry < static_cast<int>(list.size()) ? list[entry].strName : none;
}

// The value of a row's kind as the options show it.
std::string ValueText(int kind) {
  switch (kind) {
    case kKindPalette: return std::to_string(OptionData.m_nPalette);
    case kKindMusic: return OptionData.m_bBgm == 1 ? "ON" : "OFF";
    case kKindVolume: return std::to_string(OptionData.m_nSeVolume);
    case kKindEntryMode: {
      const int mode = OptionData.m_nRankMode;
      const cVector<std::string>& names = SystemData.EntryModeNames;
      return mode >= 0 && mode < static_cast<int>(names.size()) ? names[mode] : std::string();
    }
    case kKindName: return OptionData.m_strFixedName;
    default: return {};
  }
}

void BlitAccessory(int x, int y, int sx) {
  if (Drawing()) DDBlt(&SDBackBuffer, x, y, 16, 16, &SurfaceRecords[kAccessory], sx, 0, DDBLT_KEYED);
}

}  // namespace

void ApplyBgmOption() {
  if (ApplyMusicSwitch(OptionData.m_bBgm == 1)) SceneMgr.CurBgm = 0;
}

void ApplySoundVolume() {
  const std::int32_t volume = kSoundVolumeTable[static_cast<std::size_t>(OptionData.m_nSeVolume)];
  for (SoundSlot& slot : SoundSlots) {
    if (!slot.buffers.empty()) DS_SetVolume(&slot, 0, volume, false);
  }
}

cSceneOption::cSceneOption() {
  AddState(&cSceneOption::FadeIn);
  AddState(&cSceneOption::Main);
  AddState(&cSceneOption::Exit);
}

cSceneOption::~cSceneOption() {
  DDReleaseSurface(&SurfaceRecords[kAccessory]);
  DDReleaseSurface(&SurfaceRecords[kWindowSheet]);
  DDReleaseSurfaceList(m_Images);
}

void cSceneOption::Init() {
  RequestMenuMusic(3);
  static constexpr int kRows[] = {kAccessory, kWindowSheet};
  if (Drawing() && !DDLoadSurfaceTable(SurfaceRecords, kRows, 2)) PostCloseRequest();
  MenuCursor.Reset();
  m_Rows = EnabledRows(SystemData.OptionMenu, kMaxRows);
  if (CreateMenuImage(m_Images, m_ImageDefs, 640, 480, 0) != nullptr) DrawImage();
  m_nSubState = kSubStart;
}

void cSceneOption::DrawImage() {
  if (m_Images.empty()) return;
  DDSURFACEDATA* image = &m_Images.back();
  DrawMenuPage(image, Text(SystemData.TitleMenu, kOptionsTitleEntry));
  for (std::size_t r = 0; r < m_Rows.size(); ++r) {
    const int y = kTop + kRowHeight * static_cast<int>(r);
    GameFonts[1].Draw(image, kLabelX, y, Text(SystemData.OptionMenu, m_Rows[r]).c_str(), 0);
    GameFonts[1].Draw(image, kValueX, y, ValueText(m_Rows[r]).c_str(), 0);
  }
  image->bLost = 0;
}

void cSceneOption::DrawFrame() { ShowFullScreenImage(m_Images, false, [this] { DrawImage(); }); }

void cSceneOption::FadeIn() {
  ShowFullScreenImage(m_Images, true, [this] { DrawImage(); });
  if (MenuFadeIn()) m_nState = kStateMain;
}

void cSceneOption::Main() {
  if (m_nSubState == kSubStart) {
    *MenuCursor.m_pCur = MenuCursorPos{};
    m_nSubState = kSubChoose;
  }
  if (m_nSubState == kSubChoose) {
    ChooseRow();
  } else if (m_nSubState == kSubEdit) {
    EditValue();
  }
}

void cSceneOption::ChooseRow() {
  const std::uint16_t directions = MenuDirections();
  MenuCursor.Move2D(&directions, kCursorX, kTop, 0, kRowHeight, 1, static_cast<int>(m_Rows.size()));
  MenuCursorSound(kCursorAxisVertical);
  if (MenuButton(1)) {
    PlaySE(kSoundDecide);
    const int row = MenuCursor.m_pCur->row;
    m_nKind = row >= 0 && row < static_cast<int>(m_Rows.size()) ? m_Rows[static_cast<std::size_t>(row)] : 0;
    struct Range {
      std::int32_t* value;
      std::int32_t min, max;
    };
    const Range ranges[] = {{&OptionData.m_nPalette, 0, 23},
                            {&OptionData.m_bBgm, 0, 1},
                            {&OptionData.m_nSeVolume, 0, 10},
                            {&OptionData.m_nRankMode, 0, 3}};
    if (m_nKind == kKindName) {
      // The dialog edits the fixed name while the title's choice is the options.
      RequestNameDialog();
      DrawImage();
      DrawFrame();
      BlitAccessory(MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 64);
    } else if (m_nKind == kKindBack) {
      SceneMgr.NextScene = kSceneTitle;
      m_nSubState = kSubStart;
      m_nState = kStateExit;
    } else if (m_nKind >= kKindPalette && m_nKind <= kKindEntryMode) {
      const Range& range = ranges[m_nKind];
      m_pValue = range.value;
      m_nMin = range.min;
      m_nMax = range.max;
      m_nBefore = *m_pValue;
      MenuCursor.Push(0);
      m_nSubState = kSubEdit;
    }
    return;
  }
  if (MenuButton(2)) {
    PlaySE(kSoundCancel);
    SceneMgr.NextScene = kSceneTitle;
    m_nSubState = kSubStart;
    m_nState = kStateExit;
    return;
  }
  DrawFrame();
  BlitAccessory(MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 64);
}

void cSceneOption::Step(int by) {
  *m_pValue += by;
  if (*m_pValue < m_nMin) {
    *m_pValue = m_nMax;
  } else if (*m_pValue > m_nMax) {
    *m_pValue = m_nMin;
  }
  ApplyEdited();
  DrawImage();
}

void cSceneOption::ApplyEdited() {
  if (m_nKind == kKindPalette) LoadHbtPalette(OptionData.m_nPalette);
  if (m_nKind == kKindVolume) ApplySoundVolume();
}

void cSceneOption::EditValue() {
  const std::uint16_t directions = MenuDirections();
  if ((directions & 4) != 0) Step(1);
  if ((directions & 8) != 0) Step(-1);
  MenuCursorSound(kCursorAxisVertical);
  if (MenuButton(1)) {
    PlaySE(kSoundDecide);
    MenuCursor.Pop(1);
    m_nSubState = kSubChoose;
    return;
  }
  if (MenuButton(2)) {
    PlaySE(kSoundCancel);
    *m_pValue = m_nBefore;
    ApplyEdited();
    MenuCursor.Pop(1);
    m_nSubState = kSubChoose;
    DrawImage();
    return;
  }
  DrawFrame();
  if (MenuCursor.m_pPrev != nullptr) {
    BlitAccessory(MenuCursor.m_pPrev->x, MenuCursor.m_pPrev->y, 80);
    BlitAccessory(kArrowX, MenuCursor.m_pPrev->y, 64);
  }
}

void cSceneOption::Exit() {
  if (!MenuFadeOut()) return;
  ApplyBgmOption();
  // Said in the log only: the options stay in force for this run either way.
  if (SaveUserRecord(OptionData, ProjectPaths[kPathOptions]) == 0) {
    Log("%s の保存に失敗！", ProjectPaths[kPathOptions]);
  }
  LeaveMenuScene(kSceneOption);
  m_nState = -1;
}
