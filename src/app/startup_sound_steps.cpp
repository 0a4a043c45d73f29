// The start-up's sound steps: the sound table from the project, the device and the effects;
// and their release at shut-down.

#include <cstdio>

#include "app/startup_steps.h"
#include "core/main_window.h"
#include "core/report_log.h"
#include "data/database.h"
#include "data/option_data.h"
#include "data/system_data.h"
#include "sound/game_sound_link.h"
#include "sound/sound_effects.h"

namespace {

void SetRow(SoundNameRow& row, const std::string& name) {
  row = SoundNameRow{};
  std::snprintf(row.name, sizeof row.name, "%s", name.c_str());
  row.count = 1;
  row.volume = 0;
  row.flag = 1;
}

}  // namespace

namespace startup {

bool Music(StartupContext& /*context*/) {
  StartMusic(OptionData.m_bBgm == 1);
  return true;
}

bool SoundTable(StartupContext& /*context*/) {
  const int records = static_cast<int>(Database.Sounds.size());
  const int slots = records + kProjectSoundBase;
  SoundSlots.assign(static_cast<std::size_t>(slots), SoundSlot{});
  SoundNameRows.assign(static_cast<std::size_t>(slots), SoundNameRow{});
  for (int i = 0; i < kSystemSoundSlots && i < slots; ++i) SetRow(SoundNameRows[i], SystemData.SystemSounds[i]);
  for (int n = 1; n < records; ++n) SetRow(SoundNameRows[n + kProjectSoundBase], Database.Sounds[n].strFile);
  return true;
}

bool SoundDevice(StartupContext& /*context*/) {
  if (DS_Init(MainHwnd.load(), 22050, 8, 1)) return true;
  ErrLog("DS_Init失敗！");
  return false;
}

bool SoundEffects(StartupContext& /*context*/) {
  // The step is in range: the options are clamped as they are read.
  DS_LoadSounds(SoundSlots, SoundNameRows, kSoundVolumeTable[static_cast<std::size_t>(OptionData.m_nSeVolume)]);
  return true;
}

}  // namespace startup

namespace shutdown {

void SoundAndMusic() {
  DS_UnInit();
  EndMusic();
}

}  // namespace shutdown
