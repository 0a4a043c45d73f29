#include "sound/music_manager.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/path_helpers.h"
#include "core/report_log.h"

MusicNameRow BgmOggNames[kMusicTracks] = {"bgm\\Title.ogg", "bgm\\WorldMap.ogg", "bgm\\Challenge.ogg",
                                          "bgm\\Option.ogg", "bgm\\Stage.ogg"};
MusicNameRow BgmMidiNames[kMusicTracks] = {"bgm\\Title.mid", "bgm\\WorldMap.mid", "bgm\\Challenge.mid",
                                           "bgm\\Option.mid", "bgm\\Stage.mid"};

cBgm MusicMgr;

cMidiList::~cMidiList() { Clear(); }

void cMidiList::StopAll(bool pause) {
  for (const std::unique_ptr<cMidiStream>& player : m_Player) {
    if (player) player->Stop(pause);
  }
}

void cMidiList::SetChannels(std::int32_t n) { m_Player.resize(static_cast<std::size_t>(n < 0 ? 0 : n)); }

void cMidiList::Clear() { m_Player.clear(); }

cMidiStream* cMidiList::Player(std::int32_t channel) {
  if (channel < 0 || static_cast<std::size_t>(channel) >= m_Player.size()) return nullptr;
  return m_Player[static_cast<std::size_t>(channel)].get();
}

int cMidiList::Play(std::int32_t channel, const char* file, bool loop) {
  StopAll(true);
  for (std::unique_ptr<cMidiStream>& player : m_Player) player.reset();
  std::string ext;
  if (PathGetExt(ext, file) == 0 || ext != "mid") return 0;
  if (channel < 0 || static_cast<std::size_t>(channel) >= m_Player.size()) return 0;
  std::unique_ptr<cMidiStream>& slot = m_Player[static_cast<std::size_t>(channel)];
  slot = std::make_unique<cMidiStream>(file);
  if (!slot->HasImage()) return 0;
  slot->Restart(loop);
  return 1;
}

cBgm::~cBgm() { Release(); }

int cBgm::Init(std::int32_t channels, MusicNameRow* oggNames, MusicNameRow* midiNames, std::int32_t tracks) {
  m_bInit = 1;
  m_MidiList.Clear();
  if (m_Vox.Init() == 0) {
    ErrLog("m_Vox.Init失敗！");
    return 0;
  }
  SetChannels(channels);
  m_pOggName = oggNames;
  m_pMidiName = midiNames;
  m_TrackType.assign(static_cast<std::size_t>(tracks < 0 ? 0 : tracks), kTrackEither);
  return 1;
}

int cBgm::SetChannels(std::int32_t n) {
  m_MidiList.SetChannels(n);
  m_Vox.SetChannels(n);
  return 1;
}

bool cBgm::HasTrack(std::int32_t track) const {
  return m_pOggName != nullptr && m_pMidiName != nullptr && track >= 0 &&
         static_cast<std::size_t>(track) < m_TrackType.size();
}

std::int32_t cBgm::TrackType(std::int32_t track) const {
  return HasTrack(track) ? m_TrackType[track] : kTrackEither;
}

int cBgm::SetTrack(std::int32_t track, const char* file) {
  if (m_bInit == 0) return 1;
  if (!HasTrack(track)) return 0;
  char* ogg = m_pOggName[track];
  char* midi = m_pMidiName[track];
  // A name that does not fit a row is refused: the track is left empty rather than cut.
  std::string ext;
  if (std::strlen(file) >= sizeof(MusicNameRow) || PathGetExt(ext, file) == 0 || ext.empty()) {
    ogg[0] = midi[0] = '\0';
    m_TrackType[track] = kTrackEither;
    return 0;
  }
  if (ext == "mid" || ext == "MID") {
    std::string lower;
    if (PathChangeExt(lower, file, "mid") == 0) lower = file;
    std::snprintf(midi, sizeof(MusicNameRow), "%s", lower.c_str());
    m_TrackType[track] = kTrackMidi;
    return 1;
  }
  if (ext == "ogg" || ext == "OGG") {
    std::snprintf(ogg, sizeof(MusicNameRow), "%s", file);
    m_TrackType[track] = kTrackOgg;
    return 1;
  }
  std::snprintf(ogg, sizeof(MusicNameRow), "%s", file);
  std::snprintf(midi, sizeof(MusicNameRow), "%s", file);
  m_TrackType[track] = kTrackEither;
  return 0;
}

int cBgm::Play(std::int32_t channel, std::int32_t track, bool loop) {
  if (m_bInit == 0) return 1;
  // After a failed Init there are no channels and no tracks: nothing plays.
  if (!HasTrack(track)) {
    m_Vox.Stop();
    m_MidiList.StopAll(false);
    return 0;
  }
  const std::int32_t kind = m_TrackType[track];
  if (kind != kTrackMidi && m_Vox.Play(channel, m_pOggName[track], loop) != 0) {
    m_MidiList.StopAll(false);
    return 1;
  }
  if (kind != kTrackOgg && m_MidiList.Play(channel, m_pMidiName[track], loop) != 0) {
    m_Vox.Stop();
    return 1;
  }
  m_Vox.Stop();
  m_MidiList.StopAll(false);
  return 0;
}

void cBgm::Stop() {
  if (m_bInit == 0) return;
  m_MidiList.StopAll(false);
  m_Vox.Stop();
}

void cBgm::Release() {
  if (m_bInit == 0) return;
  m_Vox.Release();
  m_MidiList.Clear();
  m_bInit = 0;
}
