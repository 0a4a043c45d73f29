#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sound/midi_synth.h"
#include "platform/sound/sound_mixer.h"

namespace platform {

// A buffer of stream events handed to the device. The events are 12-byte records
// {delta ticks, stream id 0, event} followed, for long events, by their bytes padded to a
// multiple of four; `bytesRecorded` of `data` are used.
struct MidiHeader {
  std::vector<std::uint8_t> data;
  std::uint32_t bytesRecorded = 0;
  std::uint32_t flags = 0;
  std::uintptr_t user = 0;
  std::uint32_t offset = 0;  // the record whose callback was reached last
};

inline constexpr std::uint32_t kMidiHeaderDone = 0x1;
inline constexpr std::uint32_t kMidiHeaderPrepared = 0x2;
inline constexpr std::uint32_t kMidiHeaderInQueue = 0x4;

// The event word: its type in the top byte, its data in the low 24 bits.
inline constexpr std::uint32_t kMidiEventShort = 0x00000000;
inline constexpr std::uint32_t kMidiEventTempo = 0x01000000;
inline constexpr std::uint32_t kMidiEventNop = 0x02000000;
inline constexpr std::uint32_t kMidiEventLong = 0x80000000;
inline constexpr std::uint32_t kMidiEventCallback = 0x40000000;

// A MIDI stream: our own sequencer that plays queued headers into a synthesiser at the
// mixer's rate, each event at its own frame. Ticks become frames exactly (integer time in
// fractions of a frame), for quarter-note divisions with tempo events and for SMPTE
// divisions. Reaching an event flagged for a callback calls `notify` on the device's thread;
// a header whose last event has been reached is done before that call.
class MidiStreamDevice : public MixSource, public std::enable_shared_from_this<MidiStreamDevice> {
 public:
  using Notify = std::function<void(MidiHeader* header)>;

  // Plays into `mixer` once opened. `note` tells of a synthesiser that could only be silent.
  static std::shared_ptr<MidiStreamDevice> Open(SoundMixer& mixer, Notify notify, std::string& note);
  ~MidiStreamDevice() override;

  // Each returns false with a text in `error` when the call cannot be done.
  bool SetTimeDivision(int division, std::string& error);
  bool Prepare(MidiHeader* header, std::string& error);
  bool Unprepare(MidiHeader* header, std::string& error);
  bool Out(MidiHeader* header, std::string& error);
  bool Restart(std::string& error);
  // Playing stops where it is (sounding notes are silenced); Restart goes on from there.
  bool Pause(std::string& error);
  // Notes off, every queued header done, back to the start.
  bool Stop(std::string& error);
  // As Stop, and the synthesiser back to its power-on state.
  bool Reset(std::string& error);
  // Leaves the mixer; no callback comes after it returns. Later calls fail.
  void Close();

  std::uint32_t PositionTicks();
  int Tempo();

  void MixInto(float* stereo, int frames) override;

 private:
  enum class State { Stopped, Playing, Paused };
  MidiStreamDevice(SoundMixer& mixer, std::unique_ptr<MidiSynth> synth, Notify notify);
  bool Usable(std::string& error) const;
  void Retime();
  bool FetchNext();
  void ApplyCurrent();
  void FlushQueue();
  void FinishFront();

  std::mutex mutex_;
  SoundMixer& mixer_;
  std::unique_ptr<MidiSynth> synth_;
  Notify notify_;
  bool closed_ = false;
  State state_ = State::Stopped;
  std::deque<MidiHeader*> queue_;
  std::uint32_t offset_ = 0;  // of the next record in the front header
  bool haveEvent_ = false;
  std::uint32_t eventDelta_ = 0;
  // Time to the current event in 1/den_ frames; may go below 0 by less than a frame.
  __int128 untilNext_ = 0;
  std::int64_t perTick_ = 0;  // 1/den_ frames per tick
  std::int64_t den_ = 1;
  int division_ = 96;  // until the stream's own is set
  int tempo_ = 500000;
  std::uint32_t ticks_ = 0;
};

}  // namespace platform
