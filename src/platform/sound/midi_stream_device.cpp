#include "platform/sound/midi_stream_device.h"

#include <algorithm>

namespace platform {

namespace {

std::uint32_t Le32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

constexpr std::uint32_t kRecordBytes = 12;

}  // namespace

std::shared_ptr<MidiStreamDevice> MidiStreamDevice::Open(SoundMixer& mixer, Notify notify, std::string& note) {
  std::unique_ptr<MidiSynth> synth = CurrentMidiSynthFactory()(note);
  std::shared_ptr<MidiStreamDevice> device(new MidiStreamDevice(mixer, std::move(synth), std::move(notify)));
  mixer.AddSource(device);
  return device;
}

MidiStreamDevice::MidiStreamDevice(SoundMixer& mixer, std::unique_ptr<MidiSynth> synth, Notify notify)
    : mixer_(mixer), synth_(std::move(synth)), notify_(std::move(notify)) {
  Retime();
}

MidiStreamDevice::~MidiStreamDevice() = default;

bool MidiStreamDevice::Usable(std::string& error) const {
  if (!closed_) return true;
  error = "the stream is closed";
  return false;
}

void MidiStreamDevice::Retime() {
  const int division = division_;
  if (division > 0) {
    // Quarter-note ticks: tempo microseconds per quarter note.
    den_ = 1'000'000LL * division;
    perTick_ = static_cast<std::int64_t>(tempo_) * SoundMixer::kRate;
  } else {
    // SMPTE: frames per second in the high byte (negative; 29 is 29.97), ticks per frame low.
    const int fps = -static_cast<std::int8_t>((division >> 8) & 0xFF);
    const int ticksPerFrame = std::max(1, division & 0xFF);
    const std::int64_t fpsHundredths = fps == 29 ? 2997 : fps * 100LL;
    den_ = std::max<std::int64_t>(1, fpsHundredths * ticksPerFrame);
    perTick_ = 100LL * SoundMixer::kRate;
  }
}

bool MidiStreamDevice::SetTimeDivision(int division, std::string& error) {
  std::lock_guard lock(mutex_);
  if (!Usable(error)) return false;
  division &= 0xFFFF;
  const bool smpte = (division & 0x8000) != 0;
  const int fps = -static_cast<std::int8_t>((division >> 8) & 0xFF);
  if (division == 0 || (smpte && ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || (division & 0xFF) == 0))) {
    error = "the time division is not valid";
    return false;
  }
  division_ = smpte ? static_cast<int>(division | 0xFFFF0000u) : division;
  Retime();
  return true;
}

bool MidiStreamDevice::Prepare(MidiHeader* header, std::string& error) {
  std::lock_guard lock(mutex_);
  if (!Usable(error)) return false;
  if (header == nullptr || header->bytesRecorded > header->data.size()) {
    error = "the header is not valid";
    return false;
  }
  header->flags |= kMidiHeaderPrepared;
  return true;
}

bool MidiStreamDevice::Unprepare(MidiHeader* header, std::string& error) {
  std::lock_guard lock(mutex_);
  if (header == nullptr) return true;
  if ((header->flags & kMidiHeaderInQueue) != 0) {
    error = "the header is still playing";
    return false;
  }
  header->flags &= ~kMidiHeaderPrepared;
  return true;
}

bool MidiStreamDevice::Out(MidiHeader* header, std::string& error) {
  std::lock_guard lock(mutex_);
  if (!Usable(error)) return false;
  if (header == nullptr || (header->flags & kMidiHeaderPrepared) == 0) {
    error = "the header is not prepared";
    return false;
  }
  header->flags = (header->flags | kMidiHeaderInQueue) & ~kMidiHeaderDone;
  queue_.push_back(header);
  return true;
}

bool MidiStreamDevice::Restart(std::string& error) {
  std::lock_guard lock(mutex_);
  if (!Usable(error)) return false;
  state_ = State::Playing;
  return true;
}

bool MidiStreamDevice::Pause(std::string& error) {
  std::lock_guard lock(mutex_);
  if (!Usable(error)) return false;
  if (state_ == State::Playing) {
    state_ = State::Paused;
    synth_->AllNotesOff();
  }
  return true;
}

void MidiStreamDevice::FlushQueue() {
  for (MidiHeader* header : queue_) header->flags = (header->flags & ~kMidiHeaderInQueue) | kMidiHeaderDone;
  queue_.clear();
  offset_ = 0;
  haveEvent_ = false;
  untilNext_ = 0;
  ticks_ = 0;
}

bool MidiStreamDevice::Stop(std::string& error) {
  std::lock_guard lock(mutex_);
  if (!Usable(error)) return false;
  state_ = State::Stopped;
  synth_->AllNotesOff();
  FlushQueue();
  return true;
}

bool MidiStreamDevice::Reset(std::string& error) {
  std::lock_guard lock(mutex_);
  if (!Usable(error)) return false;
  state_ = State::Stopped;
  synth_->AllNotesOff();
  synth_->Reset();
  FlushQueue();
  return true;
}

void MidiStreamDevice::Close() {
  {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    closed_ = true;
    FlushQueue();
    notify_ = nullptr;
    state_ = State::Stopped;
  }
  mixer_.RemoveSource(shared_from_this());
}

std::uint32_t MidiStreamDevice::PositionTicks() {
  std::lock_guard lock(mutex_);
  return ticks_;
}

int MidiStreamDevice::Tempo() {
  std::lock_guard lock(mutex_);
  return tempo_;
}

void MidiStreamDevice::FinishFront() {
  MidiHeader* header = queue_.front();
  header->flags = (header->flags & ~kMidiHeaderInQueue) | kMidiHeaderDone;
  queue_.pop_front();
  offset_ = 0;
}

// Reads the delta time of the next record; false when no header holds one.
bool MidiStreamDevice::FetchNext() {
  while (!queue_.empty()) {
    MidiHeader* header = queue_.front();
    if (offset_ + kRecordBytes <= header->bytesRecorded) {
      eventDelta_ = Le32(header->data.data() + offset_);
      untilNext_ += static_cast<__int128>(eventDelta_) * perTick_;
      haveEvent_ = true;
      return true;
    }
    FinishFront();
  }
  return false;
}

void MidiStreamDevice::ApplyCurrent() {
  haveEvent_ = false;
  MidiHeader* header = queue_.front();
  const std::uint32_t at = offset_;
  const std::uint8_t* record = header->data.data() + at;
  const std::uint32_t event = Le32(record + 8);
  std::uint32_t size = kRecordBytes;
  ticks_ += eventDelta_;
  if ((event & kMidiEventLong) != 0) {
    const std::uint32_t length = event & 0xFFFFFF;
    size = kRecordBytes + ((length + 3) & ~3u);
    if (at + size > header->bytesRecorded) {
      // A long event that claims more than the header holds ends the header.
      FinishFront();
      return;
    }
    if ((event & 0x3F000000) == 0) synth_->LongMessage(record + kRecordBytes, length);
  } else {
    switch (event & 0x3F000000) {
      case kMidiEventShort:
        // The song's end marker (status FF) would be a system reset to a synthesiser.
        if ((event & 0xFF) != 0xFF) synth_->ShortMessage(event & 0xFFFFFF);
        break;
      case kMidiEventTempo:
        tempo_ = static_cast<int>(event & 0xFFFFFF);
        if (division_ > 0) Retime();
        break;
      default: break;
    }
  }
  offset_ = at + size;
  if (offset_ + kRecordBytes > header->bytesRecorded) FinishFront();
  if ((event & kMidiEventCallback) != 0) {
    header->offset = at;
    if (notify_) notify_(header);
  }
}

void MidiStreamDevice::MixInto(float* stereo, int frames) {
  std::lock_guard lock(mutex_);
  int done = 0;
  if (state_ == State::Playing && !closed_) {
    while (done < frames) {
      if (!haveEvent_ && !FetchNext()) break;
      if (untilNext_ <= 0) {
        ApplyCurrent();
        continue;
      }
      const __int128 wait = (untilNext_ + den_ - 1) / den_;
      const int run = static_cast<int>(std::min<__int128>(wait, frames - done));
      synth_->MixInto(stereo + static_cast<std::ptrdiff_t>(done) * 2, run);
      untilNext_ -= static_cast<__int128>(run) * den_;
      done += run;
    }
  }
  // Released notes ring on while the stream waits.
  if (done < frames) synth_->MixInto(stereo + static_cast<std::ptrdiff_t>(done) * 2, frames - done);
}

}  // namespace platform
