// Message objects: variable escapes, placement by mode, fixing, clamping and refreshed
// surfaces.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gfx/dd_fill.h"
#include "gfx/game_fonts.h"
#include "gfx/gfx_test_support.h"
#include "support/world_fixture.h"
#include "flow/flow_world_seam.h"
#include "world/message_obj.h"

namespace {

using worldtest::WorldFixture;

class MessageTest : public testing::Test {
 protected:
  MessageTest() : world({"..........", "....e.....", "H.........", "##########"}, 1) { world.Build(); }
  std::string Expanded(std::string text) {
    ExpandTextVariables(text);
    return text;
  }
  WorldFixture world;
};

TEST_F(MessageTest, EscapesBecomeTheVariablesDigits) {
  cScenePlay& s = world.Scene();
  s.CommonVars[5] = 1234;
  s.CommonVars[3] = 7;
  s.StageVars[12] = -5;
  s.StageVars[1] = 42;
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"#c5", "1234"},
      {"#c5_6", "  1234"},
      {"#c5_6Z", "001234"},
      {"#c5_P", "+1234"},
      {"#C3_4.", "   7"},
      {"#C3_4.x", "   7x"},
      {"#S12_3Z", "-005"},
      {"coins #S1!", "coins 42!"},
      {"end #", "end #"},
      {"#", "#"},
      {"#C", "#C"},          // no number
      {"#C0", "#C0"},        // outside 1-255
      {"#C256", "#C256"},
      {"#C99999", "#C99999"},
      {"#x", "#x"},
      {"\x82#C5", "\x82" "1234"},  // "#" is no trail byte: the lead stands alone
      {"\x81\x94" "C5", "\x81\x94" "C5"},  // a pair is skipped whole
      {"\x82\xa0#C5", "\x82\xa0" "1234"},
      {"#C5\x82", "1234\x82"},  // a final lead byte is one byte
  };
  for (const auto& c : cases) EXPECT_EQ(Expanded(c.text), c.expected) << c.text;
}

TEST_F(MessageTest, EachModePlacesTheMessageAndFixingKeepsTheFirstPlace) {
  cScenePlay& s = world.Scene();
  cChara& owner = *world.Chara(1);
  owner.UpdateScreenRect();
  const int sx = static_cast<int>(s.ScrollX.dPos);
  const int sy = static_cast<int>(s.ScrollY.dPos);
  const ObjRect& r = owner.Rect;
  const int ox = static_cast<int>(owner.x) - sx;
  const int oy = static_cast<int>(owner.y) - sy;
  const int cx = ox + r.width / 2 - 8 - r.offX + 3;
  const struct {
    int mode, x, y;
  } cases[] = {
      {0, 3 - 8 + 320, 4 - 8 + 240},
      {1, cx, oy - r.offY - 16 + 4},
      {2, cx, oy + r.height - r.offY + 1 + 4},
      {3, cx, oy + r.height / 2 - 8 - r.offY + 4},
      {4, cx, oy - r.offY - 16 + 4},
      {7, 3 + 2 * 32, 4 + 5 * 32},
      {8, (2 + 10) * 32 + 3 - sx, (5 + 10) * 32 + 4 - sy},
      {12, 3 - 8 + 320, 4 - 8 + 240},  // beyond 8 acts as 0
  };
  for (const auto& c : cases) {
    MessageParams p;
    p.kind = 2;
    p.positionMode = c.mode;
    p.owner = owner.nNumber;
    p.offsetX = 3;
    p.offsetY = 4;
    p.cellX = 2;
    p.cellY = 5;
    p.fixed = c.mode == 0 || c.mode == 7 || c.mode == 8 || c.mode == 12 ? 1 : 0;
    cMessageObj m;
    m.Init(p);
    ASSERT_EQ(m.Update(nullptr, false), 0) << c.mode;
    EXPECT_EQ(m.nX, c.x) << c.mode;
    EXPECT_EQ(m.nY, c.y) << c.mode;
  }
  // Fixed above the owner: the owner walks on, the message stays.
  MessageParams p;
  p.kind = 2;
  p.positionMode = 1;
  p.owner = owner.nNumber;
  p.fixed = 1;
  cMessageObj fixedOne;
  fixedOne.Init(p);
  fixedOne.Update(nullptr, false);
  const int firstX = fixedOne.nX;
  owner.x += 40;
  owner.OnMovedX();
  fixedOne.Update(nullptr, false);
  EXPECT_EQ(fixedOne.nX, firstX);
  // Unfixed on screen: it scrolls with the stage.
  p.positionMode = 0;
  p.fixed = 0;
  cMessageObj scrolling;
  scrolling.Init(p);
  scrolling.Update(nullptr, false);
  const int screenX = scrolling.nX;
  s.ScrollX.dPos += 10;
  scrolling.Update(nullptr, false);
  EXPECT_EQ(scrolling.nX, screenX - 10);
}

TEST_F(MessageTest, ClampTimeAndMissingOwners) {
  MessageParams p;
  p.kind = 0;
  p.positionMode = 7;
  p.fixed = 1;
  p.offsetX = 560;
  p.offsetY = 470;
  p.clamp = 1;
  cMessageObj m;
  m.Init(p);
  m.nWidth = 100;
  m.nHeight = 20;
  m.Update(nullptr, false);
  EXPECT_EQ(m.nX, 540);
  EXPECT_EQ(m.nY, 460);

  p.durationKind = 2;
  p.time = 2;
  cMessageObj timed;
  timed.Init(p);
  EXPECT_EQ(timed.Update(nullptr, true), 0);  // paused: the time stands
  EXPECT_EQ(timed.Update(nullptr, false), 0);
  EXPECT_EQ(timed.Update(nullptr, false), 0);
  EXPECT_EQ(timed.Update(nullptr, false), 1);

  p = MessageParams{};
  p.kind = 2;
  p.positionMode = 1;
  p.owner = 777;
  cMessageObj orphan;
  orphan.Init(p);
  EXPECT_EQ(orphan.Update(nullptr, false), 1);  // unfixed without its owner
}

TEST_F(MessageTest, TheHeroShowsATakenItemRisingAboveIt) {
  world.Hero().ShowTakenItem(2, 7, 0);
  ASSERT_EQ(world.Scene().MessageList.size(), 1u);
  cMessageObj& m = world.Scene().MessageList.front();
  EXPECT_EQ(m.nKind, 2);
  EXPECT_EQ(m.nTimeLeft, 30);
  int frames = 0;
  m.Update(nullptr, false);
  EXPECT_EQ(m.nDrawY, m.nY);  // not risen in its first frame
  int lastRise = 0;
  while (m.Update(nullptr, false) == 0 && frames < 100) {
    ++frames;
    lastRise = m.nY - m.nDrawY;
  }
  EXPECT_EQ(frames, 29);
  EXPECT_EQ(lastRise, 7);
}

// Text messages with a real font and surfaces, in a mode of the drawing library.
class MessageWorldTest : public gfxtest::LibraryTest {
 protected:
  void Open(const gfxtest::Mode& mode) {
    ASSERT_TRUE(InitWithPalette(mode));
    ASSERT_TRUE(GameFonts[0].Create("ＭＳ ゴシック", 0, 8, 8, 10, 15, nullptr, 0, 0, nullptr, 1));
    world_.emplace(std::vector<std::string>{"H...", "####"});
    world_->Build();
  }
  void TearDown() override {
    world_.reset();
    GameFonts[0].Release();
    LibraryTest::TearDown();
  }
  std::optional<WorldFixture> world_;
};

class MessageSurfaceTest : public MessageWorldTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    Open(gfxtest::Mode{"DD32", 0, 32, 1});
  }
};

TEST_F(MessageSurfaceTest, ARefreshedLongerTextGetsASurfaceOfItsNewSize) {
  cScenePlay& s = world_->Scene();
  s.StageVars[1] = 5;
  MessageParams p;
  p.text = "#S1";
  p.expand = 1;
  p.refresh = 1;
  p.refreshInterval = 30;
  p.noOpening = 1;
  cMessageObj& m = s.MessageList.emplace_back();
  m.Init(p);
  ASSERT_NE(m.pSurface, nullptr);
  EXPECT_EQ(m.nWidth, 8 + 2);
  EXPECT_EQ(m.nHeight, 10 + 2);
  EXPECT_EQ(m.pSurface->nWidth, 10);
  s.StageVars[1] = 12345;
  s.nFrame = 29;
  m.Update(&SDBackBuffer, false);
  EXPECT_EQ(m.strText, "5");  // not a refresh frame
  s.nFrame = 30;
  m.Update(&SDBackBuffer, false);
  EXPECT_EQ(m.strText, "12345");
  ASSERT_NE(m.pSurface, nullptr);
  EXPECT_EQ(m.pSurface->nWidth, 5 * 8 + 2);
  EXPECT_EQ(s.MessageSurfaces.size(), 1u);  // the old one went
  s.MessageList.clear();
  EXPECT_TRUE(s.MessageSurfaces.empty());
}

}  // namespace

namespace {

// The message command's windows: by ID they are filled anew in place while their text keeps
// its size, replaced at their place when it does not, and closed.
TEST_F(MessageSurfaceTest, AMessageWithAnIdIsUpdatedInPlaceReplacedOrClosed) {
  cScenePlay& s = world_->Scene();
  FlowMessage m;
  m.hasId = 1;
  m.id = 5;
  m.text = "ABC";
  s.ShowMessage(m, nullptr);
  FlowMessage other = m;
  other.id = 6;
  other.text = "Z";
  s.ShowMessage(other, nullptr);
  ASSERT_EQ(s.MessageList.size(), 2u);
  const DDSURFACEDATA* surface = s.MessageList.front().pSurface;

  m.text = "XYZ";  // the same size
  s.ShowMessage(m, nullptr);
  ASSERT_EQ(s.MessageList.size(), 2u);
  EXPECT_EQ(s.MessageList.front().strText, "XYZ");
  EXPECT_EQ(s.MessageList.front().pSurface, surface);

  m.text = "LONGER";
  s.ShowMessage(m, nullptr);
  ASSERT_EQ(s.MessageList.size(), 2u);
  EXPECT_EQ(s.MessageList.front().strText, "LONGER");  // still first
  EXPECT_EQ(s.MessageList.front().nWidth, 6 * 8 + 2);
  EXPECT_EQ(s.MessageSurfaces.size(), 2u);

  // Close by ID; a close without the ID flag, or for an ID not shown, does nothing.
  FlowMessage close = m;
  close.close = 1;
  close.id = 7;
  s.ShowMessage(close, nullptr);
  close.hasId = 0;
  close.id = 5;
  s.ShowMessage(close, nullptr);
  EXPECT_EQ(s.MessageList.size(), 2u);
  close.hasId = 1;
  s.ShowMessage(close, nullptr);
  ASSERT_EQ(s.MessageList.size(), 1u);
  EXPECT_EQ(s.MessageList.front().strText, "Z");
  EXPECT_EQ(s.MessageSurfaces.size(), 1u);

  // Following: mode 5 the hero.
  FlowMessage follow;
  follow.text = "HI";
  follow.follow = 2;
  s.ShowMessage(follow, nullptr);
  EXPECT_EQ(s.MessageList.back().nOwner, s.Hero().nNumber);
}

}  // namespace

namespace {

// A text window reaches the back buffer in every mode: under Direct3D a window drawn from a
// record without a texture had shown nothing.
class MessageWindowFrame : public MessageWorldTest, public testing::WithParamInterface<gfxtest::Mode> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    Open(GetParam());
  }
};

TEST_P(MessageWindowFrame, TheTextIsDrawnWhereTheWindowStands) {
  cScenePlay& s = world_->Scene();
  MessageParams p;
  p.text = "WWWW";
  p.noOpening = 1;
  p.fixed = 1;
  cMessageObj& m = s.MessageList.emplace_back();
  m.Init(p);
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 36);
  const DWORD background = gfxtest::PixelOf(&SDBackBuffer, 0, 0);
  ASSERT_EQ(m.Update(&SDBackBuffer, false), 0);
  const std::vector<std::uint32_t> pixels = gfxtest::ReadPixels(&SDBackBuffer);
  int inside = 0;
  int outside = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (pixels[static_cast<std::size_t>(y) * 640 + static_cast<std::size_t>(x)] == background) continue;
      const bool within = x >= m.nX && x < m.nX + m.nWidth && y >= m.nY && y < m.nY + m.nHeight;
      ++(within ? inside : outside);
    }
  }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, MessageWindowFrame, testing::ValuesIn(gfxtest::kModes), gfxtest::PrintMode);

}  // namespace
