// The program's own sound and music services behind requests 1029 and 1030. Music work is
// only queued for the music thread: the main thread never waits for a file or a player.

#include "app/request_services.h"
#include "data/database.h"
#include "data/system_data.h"
#include "sound/game_sound_link.h"
#include "sound/music_manager.h"
#include "sound/music_thread.h"
#include "sound/sound_effects.h"

void cRequestServices::PlaySoundEffect(int id) { DS_Play(&SoundSlots[id], 0); }

void cRequestServices::StopMusic() {
  PostMusic([] { MusicMgr.Stop(); });
}

int cRequestServices::MenuMusicNumber(int slot) { return SystemData.MenuMusic[slot]; }

int cRequestServices::MenuMusicLoop(int slot) { return SystemData.MenuMusicLoop[slot]; }

std::string cRequestServices::MusicFileName(int number) { return Database.Bgms[number].strFile; }

void cRequestServices::SetMusicTrack(int track, const std::string& fileName) {
  PostMusic([track, fileName] { MusicMgr.SetTrack(track, fileName.c_str()); });
}

// The pause-others and force arguments of the older call are not used by the manager.
void cRequestServices::PlayMusic(int channel, int track, int loop, int /*pauseOthers*/, int /*force*/) {
  PostMusic([channel, track, loop] { MusicMgr.Play(channel, track, loop != 0); });
}

void cRequestServices::SetStageMusicNumber(int number) { GameSoundLink().SetStageMusicNumber(number); }

int cRequestServices::StageMusicLoop() { return GameSoundLink().StageMusicLoop(); }
