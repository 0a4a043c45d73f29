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

namespace {

// The switch as the game thread last set it; the manager follows it on its own thread.
bool g_musicOn = false;

}  // namespace

void StartMusic(bool musicOn) {
  g_musicOn = musicOn;
  if (!musicOn || !StartMusicThread()) return;
  PostMusic([] { MusicMgr.Init(1, BgmOggNames, BgmMidiNames, kMusicTracks); });
}

void EndMusic() {
  FinishMusicThread([] { MusicMgr.Release(); });
}

bool ApplyMusicSwitch(bool musicOn) {
  if (musicOn == g_musicOn) return false;
  g_musicOn = musicOn;
  if (!StartMusicThread()) return true;
  PostMusic([musicOn] {
    if (MusicMgr.Initialised()) {
      if (!musicOn) MusicMgr.Release();
    } else if (musicOn) {
      MusicMgr.Release();
      MusicMgr.Init(1, BgmOggNames, BgmMidiNames, kMusicTracks);
    }
  });
  return true;
}
