// Real renders of the sample game's music and sounds: FluidSynth with the installed soundfont,
// vorbisfile, and every WAVE file the project names.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/report_log.h"
#include "data/database.h"
#include "data/system_data.h"
#include "platform/sound/ogg_player.h"
#include "sound/midi_stream.h"
#include "sound/music_output.h"
#include "sound/sound_effects.h"
#include "support/temp_folder.h"
#include "tools/sample_game_fixture.h"

namespace {

float Peak(const std::vector<float>& out) {
  float peak = 0.0f;
  for (float v : out) peak = std::max(peak, std::fabs(v));
  return peak;
}

class SampleMusicTest : public testing::Test {
 protected:
  void SetUp() override {
    current_.emplace(sampletest::SampleGame::Folder());
    platform::GameFolder().Forget();
    SetMusicMixer(&mixer_);
  }
  void TearDown() override {
    SetMusicMixer(nullptr);
    platform::GameFolder().Forget();
  }
  std::vector<float> Render(int frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2);
    mixer_.RenderFloat(out.data(), frames);
    return out;
  }

  platform::SoundMixer mixer_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
};

TEST_F(SampleMusicTest, TheTitleTuneSoundsThroughTheSynthesiser) {
  std::optional<cMidiStream> player;
  player.emplace("bgm\\Title.mid");
  ASSERT_TRUE(player->HasImage());
  player->Restart(true);
  float peak = 0.0f;
  for (int i = 0; i < 100; ++i) peak = std::max(peak, Peak(Render(1024)));
  EXPECT_GT(peak, 0.01f);
  EXPECT_LE(peak, 1.0f);
  player.reset();
  Render(1);
}

// Stream records the image makes: every event but the metas other than tempo and the end.
struct ImageCount {
  int records = 0;
  int tempos = 0;
  int sysexAtStart = 0;
};
ImageCount CountRecords(const std::vector<std::uint8_t>& image) {
  ImageCount count;
  std::size_t at = 22;
  std::uint64_t tick = 0;
  while (at < image.size()) {
    std::uint32_t delta = 0;
    at += static_cast<std::size_t>(cSmf::ReadVarLen(image.data() + at, image.size() - at, delta));
    tick += delta;
    const std::uint8_t status = image[at];
    if (status == 0xFF || status == 0xF0) {
      const std::size_t head = status == 0xFF ? 2 : 1;
      std::uint32_t length = 0;
      const int n = cSmf::ReadVarLen(image.data() + at + head, image.size() - at - head, length);
      const bool counted = status == 0xF0 || image[at + 1] == 0x51 || image[at + 1] == 0x2F;
      count.records += counted ? 1 : 0;
      count.tempos += status == 0xFF && image[at + 1] == 0x51 ? 1 : 0;
      count.sysexAtStart += status == 0xF0 && tick == 0 ? 1 : 0;
      at += head + static_cast<std::size_t>(n) + length;
    } else {
      ++count.records;
      at += (status & 0xE0) == 0xC0 ? 2 : 3;
    }
  }
  return count;
}

TEST_F(SampleMusicTest, TheTitleTuneFillsMoreThanThreeStreamBuffers) {
  cSmf title("bgm\\Title.mid");
  ASSERT_TRUE(title.HasImage());
  const ImageCount count = CountRecords(title.Image());
  EXPECT_GT(count.records, 3 * cMidiStream::kBufSize / 12);
  EXPECT_EQ(count.tempos, 2);
  EXPECT_EQ(count.sysexAtStart, 1);
  cSmf camp("bgm\\Camp.mid");  // stored as "Camp.MID": found whatever the case
  EXPECT_TRUE(camp.HasImage());
}

TEST_F(SampleMusicTest, TheWorldMapOggLoopsWithoutAGap) {
  auto player = platform::OggPlayer::Create(mixer_);
  ASSERT_TRUE(player->Load(sampletest::FolderContents(sampletest::SampleGame::Folder())["bgm/WorldMap.ogg"]));
  const std::int64_t frames = player->TotalFrames();
  const int rate = player->SourceRate();
  ASSERT_GT(frames, 0);
  // The device takes exactly 44100 / rate of its frames for each of the file's.
  ASSERT_EQ(44100 % rate, 0);
  const std::int64_t period = frames * (44100 / rate);
  player->SetLoop(platform::OggPlayer::kEndless);
  player->Play();
  const auto out = Render(static_cast<int>(period * 2 + 4096));
  // The second pass repeats the first sample for sample: no gap and no click at the join.
  for (std::int64_t i = 16; i < period + 4096; ++i) {
    ASSERT_NEAR(out[static_cast<std::size_t>(i * 2)], out[static_cast<std::size_t>((i + period) * 2)], 1e-6f) << i;
  }
  EXPECT_GT(Peak(out), 0.01f);
  EXPECT_TRUE(player->Playing());
  player->Delete();
}

TEST_F(SampleMusicTest, EverySoundOfTheSampleLoads) {
  DS_InitOffline(mixer_);
  cVector<SoundSlot> slots;
  cVector<SoundNameRow> rows;
  std::vector<std::string> all;
  for (const auto& [path, bytes] : sampletest::FolderContents(sampletest::SampleGame::Folder())) {
    if (path.rfind("se/", 0) == 0) all.push_back("se\\" + path.substr(3));
  }
  ASSERT_GE(all.size(), 17u);
  slots.resize(all.size());
  rows.resize(all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    std::snprintf(rows[static_cast<int>(i)].name, 260, "%s", all[i].c_str());
    rows[static_cast<int>(i)].count = 1;
  }
  DS_LoadSounds(slots, rows, 0);
  for (std::size_t i = 0; i < all.size(); ++i) EXPECT_EQ(slots[static_cast<int>(i)].count, 1) << all[i];
  DS_UnInit();
}

}  // namespace
