#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "core/thread.h"
#include "platform/sound/midi_stream_device.h"
#include "sound/smf.h"

// The notification a stream sends its player's thread when a flagged event is reached;
// lParam is the header's index.
inline constexpr std::uint32_t MM_MOM_POSITIONCB = 970;

// Plays a MIDI file's image through a MIDI stream in two alternating 24000-byte buffers. A
// thread of its own refills a buffer when the stream reaches the last event of the other one
// and, at the end of the song, stops and (looping) starts again. Every operation takes the
// player's lock, so the music manager's thread and the notification thread never overlap.
class cMidiStream : public cSmf {
 public:
  explicit cMidiStream(const std::string& file);
  // A file's bytes already in memory (fuzzing); `name` stands for it in the log.
  cMidiStream(const std::string& name, std::span<const std::uint8_t> bytes);
  ~cMidiStream() override;

  void Open();
  void Out();
  void Restart(bool loop);
  void Stop(bool pause);

  enum { kStopped = 0, kPlaying = 1, kPaused = 2 };
  int State();
  // The next image offset to convert; 22 is the first event.
  int Offset();

  static constexpr int kBufSize = 24000;
  static constexpr int kHdrCount = 2;

  // The notification thread's work for one message (also called by tests).
  void OnPositionReached(int header);
  const platform::MidiHeader& Header(int index) const { return m_pHdr[static_cast<std::size_t>(index)]; }

  // Tests: notifications go to this function instead of the player's thread, so that a test
  // can serve them between the buffers it renders. nullptr: the thread serves them.
  using NotifyHook = void (*)(cMidiStream* player, int header);
  static void SetNotifyHookForTests(NotifyHook hook);

 private:
  friend unsigned MidiThreadProc(void* player);
  void OutLocked();
  void StopLocked(bool pause);
  void RestartLocked(bool loop);
  void LogFailure(const char* what, const std::string& error);

  std::recursive_mutex m_Mutex;
  int m_nHdr = 0;
  std::shared_ptr<platform::MidiStreamDevice> m_hStream;
  std::array<platform::MidiHeader, kHdrCount> m_pHdr;
  int m_nOffset = static_cast<int>(kImageHead);
  int m_nState = kStopped;
  cThread m_NotifyThread;
  bool m_bLoop = false;
};

unsigned MidiThreadProc(void* player);
