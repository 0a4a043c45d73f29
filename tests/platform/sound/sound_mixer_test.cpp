#include "platform/sound/sound_mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using platform::PcmFormat;
using platform::SoundBuffer;
using platform::SoundMixer;

// 16-bit mono samples as bytes.
std::vector<std::uint8_t> Pcm16(const std::vector<std::int16_t>& samples) {
  std::vector<std::uint8_t> bytes;
  for (std::int16_t s : samples) {
    bytes.push_back(static_cast<std::uint8_t>(s & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
  }
  return bytes;
}

std::vector<std::int16_t> Constant(int frames, std::int16_t value) { return std::vector<std::int16_t>(frames, value); }

std::vector<std::int16_t> Ramp(int frames) {
  std::vector<std::int16_t> s(frames);
  for (int i = 0; i < frames; ++i) s[i] = static_cast<std::int16_t>((i + 1) * 100);
  return s;
}

struct Offline {
  SoundMixer mixer;
  SoundBuffer Mono(const std::vector<std::int16_t>& samples, int rate = 44100) {
    const auto bytes = Pcm16(samples);
    return mixer.CreateBuffer(PcmFormat{rate, 1, 16}, bytes.data(), bytes.size());
  }
  std::vector<float> Render(int frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2);
    mixer.RenderFloat(out.data(), frames);
    return out;
  }
};

// Frames at which the left channel is not silent.
int SoundingFrames(const std::vector<float>& out) {
  int n = 0;
  for (std::size_t i = 0; i < out.size(); i += 2) n += out[i] != 0.0f ? 1 : 0;
  return n;
}

TEST(SoundMixerGain, VolumeAndPanFollowTheDecibelRule) {
  struct Case {
    int volume;
    int pan;
    double left;
    double right;
  };
  const Case cases[] = {
      {0, 0, 1.0, 1.0},
      {-600, 0, std::pow(10.0, -0.3), std::pow(10.0, -0.3)},
      {-10000, 0, 0.0, 0.0},
      {0, 2000, std::pow(10.0, -1.0), 1.0},   // panned right: the left side is quietened
      {0, -2000, 1.0, std::pow(10.0, -1.0)},  // panned left
      {0, 10000, 0.0, 1.0},
      {-600, -10000, std::pow(10.0, -0.3), 0.0},
  };
  for (const Case& c : cases) {
    Offline o;
    const SoundBuffer b = o.Mono(Constant(256, 16384));
    o.mixer.SetVolume(b, c.volume);
    o.mixer.SetPan(b, c.pan);
    o.mixer.Play(b, false);
    const auto out = o.Render(128);
    EXPECT_NEAR(out[200], 0.5 * c.left, 1e-5) << c.volume << " " << c.pan;
    EXPECT_NEAR(out[201], 0.5 * c.right, 1e-5) << c.volume << " " << c.pan;
  }
}

TEST(SoundMixerPlay, SamplesComeOutUnchangedAtTheDeviceRateAndASinglePlayEnds) {
  Offline o;
  const SoundBuffer b = o.Mono(Ramp(100));
  o.mixer.Play(b, false);
  EXPECT_TRUE(SoundMixer::IsPlaying(b));
  const auto out = o.Render(150);
  for (int i = 0; i < 100; ++i) ASSERT_FLOAT_EQ(out[i * 2], (i + 1) * 100 / 32768.0f) << i;
  EXPECT_EQ(SoundingFrames(out), 100);
  EXPECT_FALSE(SoundMixer::IsPlaying(b));
}

TEST(SoundMixerPlay, DoubledFrequencyHalvesTheLength) {
  Offline o;
  const SoundBuffer b = o.Mono(Constant(1000, 8000));
  o.mixer.SetFrequency(b, 88200);
  o.mixer.Play(b, false);
  EXPECT_EQ(SoundingFrames(o.Render(2000)), 500);
  EXPECT_EQ(SoundMixer::Frequency(b), 88200);
}

TEST(SoundMixerPlay, LoopsWrapSampleExactAcrossBuffers) {
  Offline o;
  const SoundBuffer b = o.Mono(Ramp(37));
  o.mixer.Play(b, true);
  std::vector<float> all;
  for (int pass = 0; pass < 5; ++pass) {
    const auto out = o.Render(50);
    all.insert(all.end(), out.begin(), out.end());
  }
  for (int i = 0; i < 250; ++i) ASSERT_FLOAT_EQ(all[i * 2], ((i % 37) + 1) * 100 / 32768.0f) << i;
  EXPECT_TRUE(SoundMixer::IsPlaying(b));
}

TEST(SoundMixerPlay, EightBitMonoAtHalfTheRateStretchesAndCentres) {
  Offline o;
  const std::vector<std::uint8_t> bytes = {128, 192, 128, 64};  // 0, +0.5, 0, -0.5
  const SoundBuffer b = o.mixer.CreateBuffer(PcmFormat{22050, 1, 8}, bytes.data(), bytes.size());
  ASSERT_TRUE(b);
  o.mixer.Play(b, false);
  const auto out = o.Render(10);
  const float expected[] = {0.0f, 0.25f, 0.5f, 0.25f, 0.0f, -0.25f, -0.5f, -0.5f, 0.0f, 0.0f};
  for (int i = 0; i < 10; ++i) {
    EXPECT_FLOAT_EQ(out[i * 2], expected[i]) << i;
    EXPECT_FLOAT_EQ(out[i * 2 + 1], expected[i]) << i;
  }
}

TEST(SoundMixerPlay, FormatsOutsideTheBuffersAreRefused) {
  SoundMixer mixer;
  const std::uint8_t bytes[8] = {};
  EXPECT_FALSE(mixer.CreateBuffer(PcmFormat{44100, 0, 16}, bytes, 8));
  EXPECT_FALSE(mixer.CreateBuffer(PcmFormat{44100, 3, 16}, bytes, 8));
  EXPECT_FALSE(mixer.CreateBuffer(PcmFormat{44100, 1, 24}, bytes, 8));
  EXPECT_FALSE(mixer.CreateBuffer(PcmFormat{99, 1, 8}, bytes, 8));
  EXPECT_FALSE(mixer.CreateBuffer(PcmFormat{44100, 2, 16}, bytes, 3));  // less than a frame
  EXPECT_TRUE(mixer.CreateBuffer(PcmFormat{200000, 2, 16}, bytes, 7));  // the odd bytes dropped
}

TEST(SoundMixerPlay, DuplicatesShareSamplesAndOverlap) {
  Offline o;
  const SoundBuffer first = o.Mono(Constant(400, 4096));
  const SoundBuffer second = o.mixer.Duplicate(first);
  o.mixer.Play(first, false);
  o.Render(100);
  o.mixer.Play(second, false);
  const auto out = o.Render(100);
  EXPECT_FLOAT_EQ(out[0], 2 * 4096 / 32768.0f);  // both sound at once
  EXPECT_EQ(SoundMixer::FrameCount(second), 400u);
}

TEST(SoundMixerRamp, ARestartCutsTheOldPlayOffThroughItsRamp) {
  Offline o;
  const SoundBuffer b = o.Mono(Constant(1000, 16384));
  o.mixer.Play(b, false);
  o.Render(100);
  o.mixer.Stop(b);
  o.mixer.SetPosition(b, 0);
  o.mixer.Play(b, false);
  const auto out = o.Render(100);
  // The new play at full level plus the old one fading out over 64 frames, then the new alone.
  EXPECT_NEAR(out[0], 0.5f + 0.5f * 63 / 64, 1e-6);
  EXPECT_GT(out[2 * 32], out[2 * 63]);
  EXPECT_FLOAT_EQ(out[2 * 64], 0.5f);
}

TEST(SoundMixerRamp, AStopFadesOverSixtyFourFramesAndAVolumeChangeGlides) {
  Offline o;
  const SoundBuffer b = o.Mono(Constant(1000, 16384));
  o.mixer.Play(b, true);
  o.Render(10);
  o.mixer.Stop(b);
  const auto stopped = o.Render(100);
  EXPECT_EQ(SoundingFrames(stopped), 63);
  for (int i = 1; i < 63; ++i) ASSERT_LT(stopped[i * 2], stopped[(i - 1) * 2]);

  o.mixer.Play(b, true);
  o.Render(10);
  o.mixer.SetVolume(b, -10000);
  const auto faded = o.Render(100);
  EXPECT_GT(faded[0], 0.0f);
  EXPECT_LT(faded[0], 0.5f);
  EXPECT_FLOAT_EQ(faded[2 * 64], 0.0f);
}

TEST(SoundMixerMix, TheSumIsClampedOnceAtTheOutput) {
  SoundMixer mixer;
  std::vector<std::uint8_t> bytes = Pcm16(Constant(64, 30000));
  std::vector<SoundBuffer> voices;
  for (int i = 0; i < 3; ++i) {
    voices.push_back(mixer.CreateBuffer(PcmFormat{44100, 1, 16}, bytes.data(), bytes.size()));
    mixer.Play(voices.back(), false);
  }
  mixer.SetVolume(voices[2], -10000);
  std::int16_t out[8];
  mixer.Render(out, 4);
  EXPECT_EQ(out[0], 32767);
  std::vector<float> raw(8);
  mixer.Play(voices[0], false);
  mixer.RenderFloat(raw.data(), 4);
  EXPECT_GT(raw[0], 1.0f);  // the float mix itself is not clamped
}

// A stream source that adds a constant and counts its calls.
struct ConstantSource : platform::MixSource {
  int calls = 0;
  void MixInto(float* stereo, int frames) override {
    ++calls;
    for (int i = 0; i < frames * 2; ++i) stereo[i] += 0.25f;
  }
};

TEST(SoundMixerMix, SourcesJoinAndLeaveAtBufferStarts) {
  SoundMixer mixer;
  auto source = std::make_shared<ConstantSource>();
  mixer.AddSource(source);
  std::vector<float> out(8);
  mixer.RenderFloat(out.data(), 4);
  EXPECT_FLOAT_EQ(out[3], 0.25f);
  mixer.RemoveSource(source);
  mixer.RenderFloat(out.data(), 4);
  EXPECT_FLOAT_EQ(out[3], 0.0f);
  EXPECT_EQ(source->calls, 1);
}

}  // namespace
