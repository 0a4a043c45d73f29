#include "sound/sound_effects.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/report_log.h"
#include "platform/message_queue.h"
#include "sound/wave_fixture.h"
#include "support/temp_folder.h"

namespace {

using platform::SoundMixer;

// A game folder with a few WAVE files and the sound library on an offline mixer.
class SoundEffectsTest : public testing::Test {
 protected:
  void SetUp() override {
    soundtest::WaveFixture wave;
    wave.samples = std::string(2000, '\xC0');
    folder_.Write("wave/a.wav", wave.Bytes());
    soundtest::WaveFixture floatWave;
    floatWave.tag = 3;
    folder_.Write("wave/float.wav", floatWave.Bytes());
    soundtest::WaveFixture threeChannels;
    threeChannels.channels = 3;
    folder_.Write("wave/three.wav", threeChannels.Bytes());
    current_.emplace(folder_.path());
    DS_InitOffline(mixer_);
  }
  void TearDown() override { DS_UnInit(); }

  // Frames of the left channel that sound in the next n frames.
  std::vector<float> Render(int frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2);
    mixer_.RenderFloat(out.data(), frames);
    return out;
  }

  SoundMixer mixer_;
  // Bound by DS_LoadSounds until DS_UnInit: they outlive the test body.
  cVector<SoundSlot> slots_;
  cVector<SoundNameRow> rows_;
  cVector<SoundSlot> silent_;
  testsupport::TempFolder folder_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
};

TEST_F(SoundEffectsTest, ASlotOfThreeBuffersPlaysThemInTurn) {
  SoundSlot slot;
  ASSERT_TRUE(DS_LoadSound(&slot, "wave\\A.WAV", 3, 0));
  EXPECT_EQ(slot.count, 3);
  EXPECT_STREQ(slot.name, "wave\\A.WAV");
  std::vector<int> used;
  for (int i = 0; i < 4; ++i) {
    used.push_back(slot.next);
    DS_Play(&slot, 0);
  }
  EXPECT_EQ(used, (std::vector<int>{0, 1, 2, 0}));
  // Three buffers sound together: the fourth play restarted buffer 0.
  const auto out = Render(128);
  EXPECT_NEAR(out[2 * 100], 3 * 0.5f, 1e-5);
  DS_ReleaseSound(&slot);
  EXPECT_TRUE(slot.buffers.empty());
}

TEST_F(SoundEffectsTest, VolumeIsClampedAndRelativeChangesAdd) {
  SoundSlot slot;
  ASSERT_TRUE(DS_LoadSound(&slot, "wave\\a.wav", 1, -300));
  EXPECT_EQ(DS_GetVolume(&slot, 0), -300);
  EXPECT_EQ(DS_SetVolume(&slot, 0, 500, true), 0);
  EXPECT_EQ(DS_SetVolume(&slot, 0, -12000, false), -10000);
  EXPECT_EQ(DS_GetVolume(&slot, 0), -10000);
  EXPECT_EQ(DS_SetVolume(&slot, 1, -100, false), 0);  // no such buffer
  EXPECT_EQ(DS_GetVolume(&slot, 5), 0);
}

TEST_F(SoundEffectsTest, TheOptionVolumeOverridesRowsExceptAtFullStep) {
  cVector<SoundSlot>& slots = slots_;
  cVector<SoundNameRow>& rows = rows_;
  slots.resize(2);
  rows.resize(2);
  std::snprintf(rows[0].name, sizeof rows[0].name, "wave\\a.wav");
  std::snprintf(rows[1].name, sizeof rows[1].name, "wave\\a.wav");
  rows[0].count = rows[1].count = 1;
  rows[0].volume = -500;
  EXPECT_EQ(DS_LoadSounds(slots, rows, kSoundVolumeTable[10]), 1);
  EXPECT_EQ(DS_GetVolume(&slots[0], 0), -500);
  EXPECT_EQ(DS_GetVolume(&slots[1], 0), 0);

  cVector<SoundSlot>& silent = silent_;
  silent.resize(1);
  DS_LoadSounds(silent, rows, kSoundVolumeTable[0]);
  EXPECT_EQ(DS_GetVolume(&silent[0], 0), -10000);
  DS_Play(&silent[0], 0);
  const auto out = Render(64);
  for (float v : out) ASSERT_EQ(v, 0.0f);
}

TEST_F(SoundEffectsTest, BadFilesLeaveTheirSlotUnloadedAndSilent) {
  const char* names[] = {"wave\\missing.wav", "wave\\float.wav", "wave\\three.wav"};
  for (const char* name : names) {
    SoundSlot slot;
    EXPECT_FALSE(DS_LoadSound(&slot, name, 1, 0)) << name;
    DS_Play(&slot, 0);
  }
  SoundSlot slot;
  const std::string longName(300, 'a');
  EXPECT_FALSE(DS_LoadSound(&slot, longName.c_str(), 1, 0));
  const auto out = Render(64);
  for (float v : out) ASSERT_EQ(v, 0.0f);
}

TEST_F(SoundEffectsTest, CursorKeysPlayByMask) {
  cVector<SoundSlot>& slots = slots_;
  cVector<SoundNameRow>& rows = rows_;
  slots.resize(1);
  rows.resize(1);
  std::snprintf(rows[0].name, sizeof rows[0].name, "wave\\a.wav");
  rows[0].count = 3;
  DS_LoadSounds(slots, rows, 0);
  struct Case {
    std::int32_t word;
    std::int32_t mask;
    int plays;
  };
  const Case cases[] = {{1, 1, 1}, {4, 1, 0}, {8, 2, 1}, {2, 2, 0}, {5, 3, 2}, {0, 3, 0}};
  for (const Case& c : cases) {
    const int before = slots[0].next;
    DS_PlayOnCursorKey(&c.word, c.mask, 0);
    EXPECT_EQ((slots[0].next - before + 3) % 3, c.plays) << c.word << " " << c.mask;
  }
}

TEST(SoundEffectsWithoutDevice, EveryOperationDoesNothing) {
  SoundSlot slot;
  EXPECT_TRUE(DS_LoadSound(&slot, "wave\\missing.wav", 1, 0));
  EXPECT_TRUE(slot.buffers.empty());
  DS_Play(&slot, 0);
  EXPECT_EQ(DS_SetVolume(&slot, 0, -100, false), 0);
}

}  // namespace

namespace {

TEST(SoundRequests, PlayUserSeSendsProjectSoundsAndZeroNothing) {
  std::vector<platform::Message> sent;
  platform::MainQueue().Reopen();
  platform::MainQueue().BindToCurrentThread();
  platform::MainQueue().SetHandler([&](const platform::Message& message) {
    sent.push_back(message);
    return std::intptr_t{0};
  });
  PlayUserSE(0);
  PlayUserSE(1);
  PlaySE(3);
  platform::MainQueue().SetHandler(nullptr);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].message, 1029u);
  EXPECT_EQ(sent[0].wParam, 17u);
  EXPECT_EQ(sent[1].wParam, 3u);
}

}  // namespace
