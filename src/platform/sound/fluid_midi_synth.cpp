#include <fluidsynth.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "platform/sound/midi_synth.h"
#include "platform/sound/sound_mixer.h"

namespace platform {

namespace {

constexpr const char* kSoundfonts[] = {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2"};

class FluidMidiSynth final : public MidiSynth {
 public:
  FluidMidiSynth() {
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.sample-rate", SoundMixer::kRate);
    fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
    synth_ = new_fluid_synth(settings_);
  }
  ~FluidMidiSynth() override {
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
  }

  bool LoadFont(const char* path) { return synth_ != nullptr && fluid_synth_sfload(synth_, path, 1) != FLUID_FAILED; }
  bool Ready() const { return synth_ != nullptr; }

  void ShortMessage(std::uint32_t message) override {
    const int status = message & 0xFF;
    const int channel = status & 0x0F;
    const int a = (message >> 8) & 0x7F;
    const int b = (message >> 16) & 0x7F;
    switch (status & 0xF0) {
      case 0x80: fluid_synth_noteoff(synth_, channel, a); break;
      case 0x90:
        if (b == 0) fluid_synth_noteoff(synth_, channel, a);
        else fluid_synth_noteon(synth_, channel, a, b);
        break;
      case 0xA0: fluid_synth_key_pressure(synth_, channel, a, b); break;
      case 0xB0: fluid_synth_cc(synth_, channel, a, b); break;
      case 0xC0: fluid_synth_program_change(synth_, channel, a); break;
      case 0xD0: fluid_synth_channel_pressure(synth_, channel, a); break;
      case 0xE0: fluid_synth_pitch_bend(synth_, channel, a | (b << 7)); break;
      default: break;  // system messages other than exclusive ones mean nothing to a synthesiser
    }
  }

  void LongMessage(const std::uint8_t* bytes, std::size_t size) override {
    if (size < 2) return;
    // FluidSynth takes the body between the F0 and the closing F7.
    std::size_t length = size - 1;
    if (bytes[size - 1] == 0xF7) --length;
    fluid_synth_sysex(synth_, reinterpret_cast<const char*>(bytes + 1), static_cast<int>(length), nullptr, nullptr,
                      nullptr, 0);
  }

  void AllNotesOff() override {
    for (int channel = 0; channel < 16; ++channel) fluid_synth_all_notes_off(synth_, channel);
  }

  void Reset() override { fluid_synth_system_reset(synth_); }

  void MixInto(float* stereo, int frames) override {
    scratch_.resize(static_cast<std::size_t>(frames) * 2);
    fluid_synth_write_float(synth_, frames, scratch_.data(), 0, 2, scratch_.data(), 1, 2);
    for (std::size_t i = 0; i < scratch_.size(); ++i) stereo[i] += scratch_[i];
  }

 private:
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  std::vector<float> scratch_;
};

class SilentSynth final : public MidiSynth {
 public:
  void ShortMessage(std::uint32_t) override {}
  void LongMessage(const std::uint8_t*, std::size_t) override {}
  void AllNotesOff() override {}
  void Reset() override {}
  void MixInto(float*, int) override {}
};

std::atomic<MidiSynthFactory> g_factory{nullptr};

}  // namespace

std::unique_ptr<MidiSynth> CreateFluidSynth(std::string& note) {
  note.clear();
  // FluidSynth prints its own complaints to the terminal; the caller logs ours.
  static std::once_flag quiet;
  std::call_once(quiet, [] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) {
      fluid_set_log_function(level, nullptr, nullptr);
    }
  });
  auto synth = std::make_unique<FluidMidiSynth>();
  if (!synth->Ready()) {
    note = "the synthesiser could not be made: MIDI music is silent";
    return std::make_unique<SilentSynth>();
  }
  for (const char* path : kSoundfonts) {
    if (synth->LoadFont(path)) return synth;
  }
  note = "no General MIDI soundfont (/usr/share/sounds/sf2/default-GM.sf2 or TimGM6mb.sf2): MIDI music is silent";
  return std::make_unique<SilentSynth>();
}

void SetMidiSynthFactory(MidiSynthFactory factory) { g_factory.store(factory); }

MidiSynthFactory CurrentMidiSynthFactory() {
  const MidiSynthFactory factory = g_factory.load();
  return factory != nullptr ? factory : &CreateFluidSynth;
}

}  // namespace platform
