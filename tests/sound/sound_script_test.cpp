#include "sound/sound_script.h"

#include <gtest/gtest.h>

namespace {

TEST(SoundScript, EntriesAreFrameColonIdAndBadOnesAreLeftOut) {
  const auto script = ParseSoundScript("60:17,x:3,120:0,5,7:,:9,-1:4,30:99999999999,90:-2");
  ASSERT_EQ(script.size(), 3u);
  EXPECT_EQ(script[0].frame, 60);
  EXPECT_EQ(script[0].id, 17);
  EXPECT_EQ(script[1].frame, 120);
  EXPECT_EQ(script[1].id, 0);
  EXPECT_EQ(script[2].frame, 90);
  EXPECT_EQ(script[2].id, -2);  // played, and refused by the slots' checked access
  EXPECT_TRUE(ParseSoundScript("").empty());
}

}  // namespace
