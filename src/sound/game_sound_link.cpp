#include "sound/game_sound_link.h"

#include "sound/music_manager.h"
#include "sound/music_thread.h"

void cGameSoundLink::StopMusic() {
  PostMusic([] { MusicMgr.Stop(); });
}

cGameSoundLink& GameSoundLink() {
  static cGameSoundLink link;
  return link;
}

void StartMusic(bool musicOn) {
  if (!musicOn || !StartMusicThread()) return;
  PostMusic([] { MusicMgr.Init(1, BgmOggNames, BgmMidiNames, kMusicTracks); });
}

void EndMusic() {
  FinishMusicThread([] { MusicMgr.Release(); });
}
