#pragma once

#include "core/subsystem_links.h"
#include "data/save_data.h"

// Sound's part in the close sequence, and the stage music the play scene asks for, kept in
// the progress record.
class cGameSoundLink : public cSoundLink {
 public:
  void StopMusic() override;

  void SetStageMusicNumber(int number) { SaveDataCur.m_nBgm = number; }
  int StageMusicNumber() const { return SaveDataCur.m_nBgm; }
  int StageMusicLoop() const { return SaveDataCur.m_bBgmLoop; }
  void SetStageMusicLoop(int loop) { SaveDataCur.m_bBgmLoop = loop; }
};

cGameSoundLink& GameSoundLink();

// The start-up's music step: the music thread and, with music on, the manager's Init with the
// five default tracks. Shut-down: the manager released on its thread and the thread ended.
void StartMusic(bool musicOn);
void EndMusic();
// The options' music switch: switched off, a running manager is released; switched on, a
// manager that is not running is started afresh (on the music thread, where it lives). True
// when the switch changed what the start-up or the last change set.
bool ApplyMusicSwitch(bool musicOn);
