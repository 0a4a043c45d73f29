#include "menus/menu_scene.h"

#include "core/game_requests.h"
#include "core/scene_manager.h"
#include "data/system_data.h"
#include "input/input.h"
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
