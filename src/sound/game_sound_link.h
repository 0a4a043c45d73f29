#pragma once

#include <atomic>

#include "core/subsystem_links.h"

// Sound's part in the close sequence, and the stage music the play scene asks for, kept here
// until the progress record holds it.
class cGameSoundLink : public cSoundLink {
 public:
  void StopMusic() override;

  void SetStageMusicNumber(int number) { m_nStageMusic = number; }
  int StageMusicNumber() const { return m_nStageMusic; }
  int StageMusicLoop() const { return m_bStageMusicLoop; }
  void SetStageMusicLoop(int loop) { m_bStageMusicLoop = loop; }

 private:
  std::atomic<int> m_nStageMusic{0};
  std::atomic<int> m_bStageMusicLoop{1};
};

cGameSoundLink& GameSoundLink();

// The start-up's music step: the music thread and, with music on, the manager's Init with the
// five default tracks. Shut-down: the manager released on its thread and the thread ended.
void StartMusic(bool musicOn);
void EndMusic();
