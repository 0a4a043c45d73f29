// Whole-program runs with the null sound device writing its mix to a capture file.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/process/child_process.h"
#include "platform/process/window_registry.h"
#include "sound/wave_file.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;

constexpr int kRate = 44100;
// The sample's first project sound, "se\Jump.wav": sound id 1 + 16.
constexpr int kJumpId = 17;
// Bound on a start or a close: generous, for a sanitizer build on a saturated machine.
constexpr int kLimitMs = 60000;

class SoundRunTest : public testing::Test {
 protected:
  void SetUp() override {
    // The window registry of this test's runs is a folder of their own.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) saved_ = runtime;
    setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
    platform::ChildProcess maker;
    ASSERT_TRUE(maker.Start(KESTREL_SAMPLE_GAME_MAKER, {game_.path().string()}, {}, game_.path()));
    ASSERT_EQ(maker.WaitForExit(30000), 0);
  }

  void Start(platform::ChildProcess& program, std::map<std::string, std::string> environment) {
    environment["XDG_RUNTIME_DIR"] = runtime_.path().string();
    environment["KESTREL_HEADLESS"] = "1";
    ASSERT_TRUE(program.Start(KESTREL_EXECUTABLE, {}, environment, game_.path()));
  }

  // Left-channel samples of the capture so far.
  std::vector<float> Capture() const {
    const std::string bytes = ReadFileBytes(game_.path() / "capture.wav");
    std::vector<float> left;
    for (std::size_t at = 44; at + 4 <= bytes.size(); at += 4) {
      const auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                                    static_cast<std::uint8_t>(bytes[at + 1]) << 8);
      left.push_back(sample / 32768.0f);
    }
    return left;
  }

  // Waits until the capture holds `seconds` of sound (the device keeps real time).
  bool WaitForCapture(double seconds) {
    for (int i = 0; i < 30000; ++i) {
      if (Capture().size() >= static_cast<std::size_t>(seconds * kRate)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  void TearDown() override {
    if (saved_) {
      setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
  }

  std::string ReportLog() const { return ReadFileBytes(game_.path() / "Report_Game.txt"); }

  TempFolder runtime_;
  TempFolder game_;
  std::optional<std::string> saved_;
};

// Samples of a 22050 Hz mono 16-bit WAVE file.
std::vector<float> WaveSamples(const std::string& bytes) {
  WaveData wave;
  if (!ReadWaveBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), &wave)) return {};
  std::vector<float> samples;
  for (std::size_t i = 0; i + 1 < wave.samples.size(); i += 2) {
    samples.push_back(static_cast<std::int16_t>(wave.samples[i] | wave.samples[i + 1] << 8) / 32768.0f);
  }
  return samples;
}

struct Match {
  double correlation = 0.0;
  std::size_t at = 0;  // in capture frames
};

// The best normalised correlation of the template (22050 Hz) with the capture, both taken at
// a quarter of the device's rate: enough for a square-wave glide, and cheap in a sanitizer build.
Match FindSound(const std::vector<float>& capture, const std::vector<float>& sound) {
  std::vector<float> x;
  for (std::size_t i = 0; i < capture.size(); i += 4) x.push_back(capture[i]);
  std::vector<float> t;
  for (std::size_t i = 0; i < sound.size(); i += 2) t.push_back(sound[i]);
  double energy = 0.0;
  for (float s : t) energy += static_cast<double>(s) * s;
  Match best;
  if (x.size() < t.size() || energy == 0.0) return best;
  for (std::size_t lag = 0; lag + t.size() <= x.size(); ++lag) {
    float dot = 0.0f;
    float seg = 0.0f;
    for (std::size_t k = 0; k < t.size(); ++k) {
      dot += x[lag + k] * t[k];
      seg += x[lag + k] * x[lag + k];
    }
    const double c = seg > 0.0f ? dot / std::sqrt(static_cast<double>(seg) * energy) : 0.0;
    if (c > best.correlation) best = {c, lag * 4};
  }
  return best;
}

TEST_F(SoundRunTest, TheTitleMusicSoundsAndAScriptedJumpIsHeard) {
  platform::ChildProcess program;
  Start(program, {{"KESTREL_AUDIO_CAPTURE", (game_.path() / "capture.wav").string()},
                  {"KESTREL_SOUND_SCRIPT", "30:" + std::to_string(kJumpId)}});
  // The jump is looked for in what has been captured so far; a busy machine reaches frame 30
  // later, so the run goes on a while longer when it is not there yet.
  const std::vector<float> jump = WaveSamples(ReadFileBytes(game_.path() / "se" / "Jump.wav"));
  ASSERT_FALSE(jump.empty());
  Match match;
  for (double seconds : {5.0, 10.0, 20.0, 40.0}) {
    ASSERT_TRUE(WaitForCapture(seconds));
    match = FindSound(Capture(), jump);
    if (match.correlation > 0.6) break;
  }
  program.RequestTermination();
  EXPECT_EQ(program.WaitForExit(kLimitMs), 0);

  // A whole WAVE file: its sizes agree with its length.
  const std::string file = ReadFileBytes(game_.path() / "capture.wav");
  ASSERT_GT(file.size(), 44u);
  auto le32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at]) | static_cast<std::uint8_t>(file[at + 1]) << 8 |
                                      static_cast<std::uint8_t>(file[at + 2]) << 16 |
                                      static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at + 3])) << 24);
  };
  EXPECT_EQ(file.compare(0, 4, "RIFF"), 0);
  EXPECT_EQ(le32(4), file.size() - 8);
  EXPECT_EQ(le32(24), 44100u);
  EXPECT_EQ(le32(40), file.size() - 44);

  const std::vector<float> capture = Capture();
  // The title tune: a second of sound clear of the jump (the start's pace decides which).
  bool music = false;
  for (std::size_t from = 0; from + kRate <= capture.size() && !music; from += kRate / 2) {
    if (from < match.at + jump.size() * 2 && match.at < from + kRate) continue;
    double energy = 0.0;
    for (std::size_t i = from; i < from + kRate; ++i) energy += static_cast<double>(capture[i]) * capture[i];
    music = std::sqrt(energy / kRate) > 0.005;
  }
  EXPECT_TRUE(music);

  EXPECT_GT(match.correlation, 0.6);
  // Frame 30 of the title scene comes within the run, whatever the machine's pace, and not
  // before half a second of paced frames has passed (with margin: the device opens first).
  EXPECT_LT(match.at + jump.size() * 2, capture.size());
  EXPECT_GT(match.at, static_cast<std::size_t>(kRate * 3 / 10)) << "the frames ran faster than their rate";
  EXPECT_NE(ReportLog().find("sound device null: 44100 Hz"), std::string::npos);
}

TEST_F(SoundRunTest, ADeviceThatCannotOpenLeavesTheStartGoingWithOneLine) {
  platform::ChildProcess program;
  Start(program, {{"KESTREL_AUDIO", "sdl"}, {"SDL_AUDIODRIVER", "no-such-driver"}});
  // The close is asked for only once the start has fallen back to the null device: a loaded
  // machine can take many seconds to get there, and a close before it would skip the device.
  bool fellBack = false;
  for (int i = 0; i < kLimitMs / 10 && !fellBack; ++i) {
    fellBack = ReportLog().find("sound device null") != std::string::npos;
    if (!fellBack) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(fellBack) << ReportLog();
  program.RequestTermination();
  EXPECT_EQ(program.WaitForExit(kLimitMs), 0);
  const std::string log = ReportLog();
  const std::size_t line = log.find("sound device could not open (");
  ASSERT_NE(line, std::string::npos) << log;
  EXPECT_EQ(log.find("sound device could not open", line + 1), std::string::npos);
}

}  // namespace
