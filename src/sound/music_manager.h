#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/checked_sequence.h"
#include "sound/midi_stream.h"
#include "sound/vox.h"

// How a track's file is played: 0 either (Ogg, then MIDI), 1 Ogg, 2 MIDI.
enum MusicTrackType : std::int32_t { kTrackEither = 0, kTrackOgg = 1, kTrackMidi = 2 };

inline constexpr int kMusicTracks = 5;
using MusicNameRow = char[260];
// The five tracks' default files: title, world map, challenge, options, stage.
extern MusicNameRow BgmOggNames[kMusicTracks];
extern MusicNameRow BgmMidiNames[kMusicTracks];

// The MIDI players, one slot per channel; a new song replaces every player.
class cMidiList {
 public:
  ~cMidiList();
  void StopAll(bool pause);
  int Play(std::int32_t channel, const char* file, bool loop);
  void SetChannels(std::int32_t n);
  void Clear();
  cMidiStream* Player(std::int32_t channel);

 private:
  std::vector<std::unique_ptr<cMidiStream>> m_Player;
};

// The music manager: one background track at a time, Ogg or MIDI by the file's extension.
// Its operations run on the music thread only (sound/music_thread.h).
class cBgm {
 public:
  cBgm() = default;
  ~cBgm();
  cBgm(const cBgm&) = delete;
  cBgm& operator=(const cBgm&) = delete;

  int Init(std::int32_t channels, MusicNameRow* oggNames, MusicNameRow* midiNames, std::int32_t tracks);
  int SetChannels(std::int32_t n);
  int SetTrack(std::int32_t track, const char* file);
  int Play(std::int32_t channel, std::int32_t track, bool loop);
  void Stop();
  void Release();

  bool Initialised() const { return m_bInit != 0; }
  std::int32_t TrackType(std::int32_t track) const;
  cVox& Vox() { return m_Vox; }
  cMidiList& MidiList() { return m_MidiList; }

 private:
  bool HasTrack(std::int32_t track) const;

  std::int32_t m_bInit = 0;
  cVox m_Vox;
  MusicNameRow* m_pOggName = nullptr;
  cMidiList m_MidiList;
  MusicNameRow* m_pMidiName = nullptr;
  cVector<std::int32_t> m_TrackType;
};

extern cBgm MusicMgr;
