// One device buffer (1024 frames, 23.2 ms of sound) mixed with 16 effect voices, then with an
// Ogg track, then with a MIDI song on FluidSynth as well. "percent_of_buffer" is the mixing
// time as a part of the buffer's playing time; the device needs it well under 10.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <span>
#include <string>
#include <thread>  // the clocks
#include <vector>

#include "platform/sound/ogg_player.h"
#include "platform/sound/sound_mixer.h"
#include "platform/sound/vorbis_encoder.h"
#include "sound/midi_stream.h"
#include "sound/music_output.h"

namespace {

constexpr int kFrames = 1024;
constexpr double kBufferSeconds = static_cast<double>(kFrames) / platform::SoundMixer::kRate;

// 22050 Hz mono effects of 8 and 16 bits, every one looping so that all 16 always sound.
void AddEffects(platform::SoundMixer& mixer, std::vector<platform::SoundBuffer>& voices) {
  std::vector<std::uint8_t> bytes8(22050);
  std::vector<std::uint8_t> bytes16(44100);
  for (int i = 0; i < 22050; ++i) {
    const double s = std::sin(i * 0.05) * 0.5;
    bytes8[i] = static_cast<std::uint8_t>(128 + s * 127);
    const auto v = static_cast<std::int16_t>(s * 32767);
    bytes16[i * 2] = static_cast<std::uint8_t>(v & 0xFF);
    bytes16[i * 2 + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
  }
  for (int i = 0; i < 16; ++i) {
    const bool eight = i % 2 == 0;
    auto& bytes = eight ? bytes8 : bytes16;
    voices.push_back(mixer.CreateBuffer({22050, 1, eight ? 8 : 16}, bytes.data(), bytes.size()));
    mixer.SetVolume(voices.back(), -150 * (i % 4));
    mixer.SetPan(voices.back(), (i - 8) * 1000);
    mixer.Play(voices.back(), true);
  }
}

std::shared_ptr<platform::OggPlayer> AddOgg(platform::SoundMixer& mixer) {
  platform::VorbisSource source;
  for (int i = 0; i < 22050 * 4; ++i) source.samples.push_back(static_cast<std::int16_t>(std::sin(i * 0.03) * 9000));
  std::string bytes;
  platform::EncodeOggVorbis(source, bytes);
  auto player = platform::OggPlayer::Create(mixer);
  player->Load(bytes);
  player->SetLoop(platform::OggPlayer::kEndless);
  player->Play();
  return player;
}

// Four channels of eighth-note chords at 140 beats a minute with drums, eight bars looping.
std::vector<std::uint8_t> BusySong() {
  std::vector<std::uint8_t> events;
  auto put = [&](std::uint32_t delta, std::initializer_list<int> bytes) {
    std::uint8_t vlq[4];
    const int n = cSmf::WriteVarLen(vlq, delta);
    events.insert(events.end(), vlq, vlq + n);
    for (int b : bytes) events.push_back(static_cast<std::uint8_t>(b));
  };
  put(0, {0xFF, 0x51, 0x03, 0x06, 0x8A, 0x1B});
  for (int ch = 0; ch < 4; ++ch) put(0, {0xC0 | ch, 1 + ch * 20});
  for (int step = 0; step < 64; ++step) {
    for (int ch = 0; ch < 4; ++ch) {
      for (int n = 0; n < 3; ++n) put(0, {0x90 | ch, 48 + ch * 7 + n * 4 + step % 5, 90});
    }
    put(0, {0x99, step % 2 == 0 ? 36 : 42, 100});
    put(48, {0x89, step % 2 == 0 ? 36 : 42, 0});
    for (int ch = 0; ch < 4; ++ch) {
      for (int n = 0; n < 3; ++n) put(0, {0x80 | ch, 48 + ch * 7 + n * 4 + step % 5, 0});
    }
  }
  put(0, {0xFF, 0x2F, 0x00});
  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
  const auto length = static_cast<std::uint32_t>(events.size());
  for (int shift = 24; shift >= 0; shift -= 8) file.push_back(static_cast<std::uint8_t>(length >> shift));
  file.insert(file.end(), events.begin(), events.end());
  return file;
}

void Run(benchmark::State& state, platform::SoundMixer& mixer) {
  std::vector<std::int16_t> out(kFrames * 2);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    mixer.Render(out.data(), kFrames);
    benchmark::DoNotOptimize(out.data());
  }
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  state.counters["percent_of_buffer"] =
      100.0 * spent.count() / (static_cast<double>(state.iterations()) * kBufferSeconds);
}

void BM_SixteenEffects(benchmark::State& state) {
  platform::SoundMixer mixer;
  std::vector<platform::SoundBuffer> voices;
  AddEffects(mixer, voices);
  Run(state, mixer);
}
BENCHMARK(BM_SixteenEffects);

void BM_SixteenEffectsAndOgg(benchmark::State& state) {
  platform::SoundMixer mixer;
  std::vector<platform::SoundBuffer> voices;
  AddEffects(mixer, voices);
  auto ogg = AddOgg(mixer);
  Run(state, mixer);
  ogg->Delete();
}
BENCHMARK(BM_SixteenEffectsAndOgg);

// The song loops through its buffers as the player's thread would refill them.
void BM_SixteenEffectsOggAndMidi(benchmark::State& state) {
  platform::SoundMixer mixer;
  SetMusicMixer(&mixer);
  std::vector<platform::SoundBuffer> voices;
  AddEffects(mixer, voices);
  auto ogg = AddOgg(mixer);
  const std::vector<std::uint8_t> song = BusySong();
  {
    cMidiStream player("bench.mid", std::span(song));
    player.Restart(true);
    Run(state, mixer);
  }
  ogg->Delete();
  SetMusicMixer(nullptr);
}
BENCHMARK(BM_SixteenEffectsOggAndMidi);

}  // namespace
