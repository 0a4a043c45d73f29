#include "platform/sound/ogg_player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/sound/vorbis_encoder.h"

namespace {

using platform::OggPlayer;
using platform::SoundMixer;

// Half a second of a tone at 22050 Hz.
std::string Tone() {
  platform::VorbisSource source;
  for (int i = 0; i < 11025; ++i) source.samples.push_back(static_cast<std::int16_t>(12000 * std::sin(i * 0.2)));
  std::string bytes;
  EXPECT_TRUE(platform::EncodeOggVorbis(source, bytes));
  return bytes;
}

// Frames rendered until the player stops, in 1024-frame buffers; -1 when it never stops.
long PlayedFrames(SoundMixer& mixer, OggPlayer& player, int limitBuffers) {
  std::vector<float> out(2048);
  long sounding = 0;
  for (int i = 0; i < limitBuffers; ++i) {
    mixer.RenderFloat(out.data(), 1024);
    for (int f = 0; f < 1024; ++f) sounding += out[f * 2] != 0.0f ? 1 : 0;
    if (!player.Playing()) return sounding;
  }
  return -1;
}

TEST(OggPlayer, OnePlayEndsAndALoopCountRepeats) {
  const std::string tone = Tone();
  struct Case {
    int loop;
    long passes;  // -1: endless
  };
  for (const Case c : {Case{0, 1}, Case{2, 3}, Case{OggPlayer::kEndless, -1}}) {
    SoundMixer mixer;
    auto player = OggPlayer::Create(mixer);
    ASSERT_TRUE(player->Load(tone));
    EXPECT_EQ(player->SourceRate(), 22050);
    EXPECT_EQ(player->TotalFrames(), 11025);
    player->SetLoop(c.loop);
    player->Play();
    const long frames = PlayedFrames(mixer, *player, 200);
    if (c.passes < 0) {
      EXPECT_EQ(frames, -1);
    } else {
      // Twice the file's frames at the device rate for each pass, give or take the few
      // frames where the tone crosses zero.
      EXPECT_NEAR(frames, c.passes * 22050, 300) << c.loop;
    }
    player->Delete();
  }
}

TEST(OggPlayer, StopCloseAndBadFiles) {
  SoundMixer mixer;
  auto player = OggPlayer::Create(mixer);
  EXPECT_FALSE(player->Load(""));
  EXPECT_FALSE(player->Load("OggS and nothing that decodes"));
  const std::string tone = Tone();
  EXPECT_FALSE(player->Load(tone.substr(0, tone.size() / 8)));  // headers cut off
  ASSERT_TRUE(player->Load(tone));
  player->SetLoop(OggPlayer::kEndless);
  player->Play();
  std::vector<float> out(2048);
  mixer.RenderFloat(out.data(), 1024);
  player->Stop();
  mixer.RenderFloat(out.data(), 1024);
  for (float v : out) ASSERT_EQ(v, 0.0f);
  player->Close();
  player->Play();  // nothing loaded: stays silent
  EXPECT_FALSE(player->Playing());
  player->Delete();
  EXPECT_FALSE(player->Load(tone));
}

}  // namespace
