#include "platform/sound/midi_stream_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using platform::MidiHeader;
using platform::MidiStreamDevice;

struct Log {
  std::int64_t frames = 0;
  std::vector<std::pair<std::int64_t, std::uint32_t>> shorts;
  int resets = 0;
};
Log* g_log = nullptr;

class Recorder : public platform::MidiSynth {
  void ShortMessage(std::uint32_t m) override { g_log->shorts.push_back({g_log->frames, m}); }
  void LongMessage(const std::uint8_t*, std::size_t) override {}
  void AllNotesOff() override {}
  void Reset() override { ++g_log->resets; }
  void MixInto(float*, int frames) override { g_log->frames += frames; }
};
std::unique_ptr<platform::MidiSynth> MakeRecorder(std::string&) { return std::make_unique<Recorder>(); }

// Stream records as the player writes them.
struct Records {
  MidiHeader header;
  Records() { header.data.resize(240); }
  Records& Add(std::uint32_t delta, std::uint32_t event, std::vector<std::uint8_t> params = {}) {
    std::uint8_t* at = header.data.data() + header.bytesRecorded;
    std::memcpy(at, &delta, 4);
    std::memset(at + 4, 0, 4);
    std::memcpy(at + 8, &event, 4);
    if (!params.empty()) std::memcpy(at + 12, params.data(), params.size());
    header.bytesRecorded += 12 + ((static_cast<std::uint32_t>(params.size()) + 3) & ~3u);
    return *this;
  }
};

class MidiStreamDeviceTest : public testing::Test {
 protected:
  void SetUp() override {
    g_log = &log_;
    platform::SetMidiSynthFactory(&MakeRecorder);
    device_ = MidiStreamDevice::Open(
        mixer_,
        [this](MidiHeader* h) {
          reached_.push_back(h->offset);
          doneAtCallback_.push_back((h->flags & platform::kMidiHeaderDone) != 0);
        },
        note_);
  }
  void TearDown() override {
    device_->Close();
    platform::SetMidiSynthFactory(nullptr);
  }
  void Render(int frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2);
    mixer_.RenderFloat(out.data(), frames);
  }

  Log log_;
  platform::SoundMixer mixer_;
  std::string note_;
  std::string error_;
  std::vector<std::uint32_t> reached_;
  std::vector<bool> doneAtCallback_;
  std::shared_ptr<MidiStreamDevice> device_;
};

TEST_F(MidiStreamDeviceTest, CallsOutOfOrderFailWithAText) {
  Records r;
  r.Add(0, 0x90 | 60 << 8 | 100 << 16);
  EXPECT_FALSE(device_->Out(&r.header, error_));
  EXPECT_EQ(error_, "the header is not prepared");
  EXPECT_FALSE(device_->SetTimeDivision(0, error_));
  EXPECT_FALSE(device_->SetTimeDivision(0xE200, error_));  // 30 frames a second, 0 ticks a frame
  EXPECT_FALSE(device_->SetTimeDivision(0xE50A, error_));  // 27 frames a second
  EXPECT_TRUE(device_->SetTimeDivision(0xE30A, error_));   // 29.97
  r.header.bytesRecorded = 1000;
  EXPECT_FALSE(device_->Prepare(&r.header, error_));
  device_->Close();
  EXPECT_FALSE(device_->Restart(error_));
  EXPECT_EQ(error_, "the stream is closed");
}

TEST_F(MidiStreamDeviceTest, EventsTempoPositionAndTheDoneFlagBeforeTheCallback) {
  ASSERT_TRUE(device_->SetTimeDivision(100, error_));
  Records r;
  r.Add(0, platform::kMidiEventTempo | 1000000)             // a second a quarter: 441 frames a tick
      .Add(10, 0x90 | 60 << 8 | 100 << 16)
      .Add(0, platform::kMidiEventNop)
      .Add(5, platform::kMidiEventLong | 6, {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7})
      .Add(5, platform::kMidiEventCallback | 0x2FFF);
  ASSERT_TRUE(device_->Prepare(&r.header, error_));
  ASSERT_TRUE(device_->Out(&r.header, error_));
  ASSERT_TRUE(device_->Restart(error_));
  Render(20000);
  ASSERT_EQ(log_.shorts.size(), 1u);  // the end marker is not sent
  EXPECT_EQ(log_.shorts[0].first, 4410);
  EXPECT_EQ(device_->Tempo(), 1000000);
  EXPECT_EQ(device_->PositionTicks(), 20u);
  EXPECT_EQ(reached_, (std::vector<std::uint32_t>{12 * 4 + 8}));
  // The header was done by the time its last event's callback came.
  EXPECT_EQ(doneAtCallback_, (std::vector<bool>{true}));
  EXPECT_EQ(r.header.flags & platform::kMidiHeaderInQueue, 0u);
}

TEST_F(MidiStreamDeviceTest, ResetSilencesAndGivesEveryHeaderBack) {
  Records a;
  Records b;
  a.Add(1000, 0x90 | 60 << 8 | 100 << 16);
  b.Add(0, 0x90 | 62 << 8 | 100 << 16);
  for (Records* r : {&a, &b}) {
    ASSERT_TRUE(device_->Prepare(&r->header, error_));
    ASSERT_TRUE(device_->Out(&r->header, error_));
  }
  ASSERT_TRUE(device_->Restart(error_));
  Render(100);
  ASSERT_TRUE(device_->Reset(error_));
  EXPECT_EQ(log_.resets, 1);
  EXPECT_EQ(a.header.flags & platform::kMidiHeaderDone, platform::kMidiHeaderDone);
  EXPECT_EQ(b.header.flags & platform::kMidiHeaderDone, platform::kMidiHeaderDone);
  EXPECT_EQ(device_->PositionTicks(), 0u);
  Render(100000);
  EXPECT_TRUE(log_.shorts.empty());
}

}  // namespace
