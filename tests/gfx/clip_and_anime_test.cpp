#include <gtest/gtest.h>

#include <array>

#include "gfx/anime_player.h"
#include "gfx/clip_blt.h"
#include "gfx/dd_state.h"

namespace {

struct ClipCase {
  const char* name;
  bool direct3d;
  int srcW, srcH;
  std::array<int, 8> in;  // x, y, w, h, sx, sy, sw, sh
  int result;
  std::array<int, 8> out;
};

// The destination is 640 x 480 in every case.
const ClipCase kClipCases[] = {
    {"WideSourceLeftOfScreen", false, 700, 4, {-10, 0, 700, 4, 0, 0, 700, 4}, 1, {0, 0, 640, 4, 10, 0, 640, 4}},
    {"WideSourceLeftOfScreenD3D", true, 700, 4, {-10, 0, 700, 4, 0, 0, 700, 4}, 1, {0, 0, 640, 4, 10, 0, 640, 4}},
    {"WhollyOutside", false, 32, 32, {640, 10, 32, 32, 0, 0, 32, 32}, 0, {640, 10, 0, 32, 0, 0, 0, 32}},
    {"WhollyAbove", true, 32, 32, {0, -40, 32, 32, 0, 0, 32, 32}, 0, {0, 0, 32, -8, 0, 40, 32, -8}},
    // A source starting left of 0 is cut without moving the destination.
    {"NegativeSourceKeepsDestination", false, 32, 32, {50, 60, 20, 8, -5, 0, 20, 8}, 1, {50, 60, 15, 8, 0, 0, 15, 8}},
    {"NegativeSourceKeepsDestinationD3D", true, 32, 32, {50, 60, 20, 8, -5, 0, 20, 8}, 1, {50, 60, 15, 8, 0, 0, 15, 8}},
    {"DirectDrawDoubleStretchLeft",
     false,
     100,
     50,
     {-20, 0, 200, 100, 0, 0, 100, 50},
     1,
     {0, 0, 180, 100, 10, 0, 90, 50}},
    {"DirectDrawStretchPastRight",
     false,
     100,
     50,
     {600, 0, 200, 100, 0, 0, 100, 50},
     1,
     {600, 0, 40, 100, 0, 0, 20, 50}},
    // Direct3D leaves the destination to the device and shrinks it by the kept fraction.
    {"D3DStretchKeepsPosition", true, 100, 50, {-20, 0, 200, 100, 0, 0, 100, 50}, 1, {-20, 0, 200, 100, 0, 0, 100, 50}},
    {"D3DMirroredPartlyLeftOfSource",
     true,
     64,
     32,
     {100, 0, 32, 32, 16, 0, -32, 32},
     1,
     {100, 0, 16, 32, 16, 0, -16, 32}},
    {"D3DMirroredInside", true, 64, 32, {100, 0, 32, 32, 64, 0, -32, 32}, 1, {100, 0, 32, 32, 64, 0, -32, 32}},
    // Scales that do not divide evenly: each cut truncates.
    {"DirectDrawTripleStretchLeftCutsTheSourceDown", false, 100, 4, {-5, 0, 300, 4, 0, 0, 100, 4}, 1,
     {0, 0, 295, 4, 1, 0, 99, 4}},  // source start 1.67
    {"DirectDrawTripleStretchRightCutsTheSourceDown", false, 100, 4, {500, 0, 300, 4, 0, 0, 100, 4}, 1,
     {500, 0, 140, 4, 0, 0, 46, 4}},  // source width 46.67
    {"DirectDrawSourcePastItsEdgeShrinksTheWidthDown", false, 100, 4, {0, 0, 200, 4, 0, 0, 110, 4}, 1,
     {0, 0, 181, 4, 0, 0, 100, 4}},  // 181.8
    {"D3DSourcePastItsEdgeShrinksTheWidthDown", true, 100, 4, {0, 0, 200, 4, 0, 0, 110, 4}, 1,
     {0, 0, 181, 4, 0, 0, 100, 4}},
    {"D3DMirroredSourcePastItsEdgeShrinksTheWidthDown", true, 100, 4, {0, 0, 200, 4, 100, 0, -110, 4}, 1,
     {0, 0, 181, 4, 100, 0, -100, 4}},
    {"ZeroSourceWidth", true, 64, 32, {0, 0, 32, 32, 0, 0, 0, 32}, 0, {0, 0, 32, 32, 0, 0, 0, 32}},
};

class ClipBlt : public testing::TestWithParam<ClipCase> {};

TEST_P(ClipBlt, CutsBothRectanglesAsTheBackendDoes) {
  const ClipCase& c = GetParam();
  if (c.direct3d) DDAllocDTContext();
  DDSURFACEDATA dst, src;
  dst.nWidth = 640;
  dst.nHeight = 480;
  src.nWidth = c.srcW;
  src.nHeight = c.srcH;
  std::array<int, 8> v = c.in;
  const int result = DDClipBlt(&dst, &v[0], &v[1], &v[2], &v[3], &src, &v[4], &v[5], &v[6], &v[7]);
  if (c.direct3d) DDFreeDTContext();
  EXPECT_EQ(result, c.result);
  if (c.result == 1) {
    EXPECT_EQ(v, c.out);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ClipBlt, testing::ValuesIn(kClipCases),
                         [](const testing::TestParamInfo<ClipCase>& info) { return std::string(info.param.name); });

TEST(MirrorCellRect, FlipsWholeAndPartialCellsOfAliasRecordsOnly) {
  DDSURFACEDATA texture, alias;
  alias.lpAliasSrc = &texture;
  alias.nMirrorWidth = 32;
  alias.nMirrorHeight = 16;
  struct Case {
    std::array<int, 4> in, out;
  };
  const Case cases[] = {
      {{34, 0, 16, 16}, {62, 16, -16, -16}},   // part of a cell: columns 2-17 read from 14-29 mirrored
      {{32, 16, 32, 16}, {64, 32, -32, -16}},  // whole cells
      {{0, 0, 64, 40}, {0, 0, 64, 40}},        // wider than a cell: left alone
  };
  for (const Case& c : cases) {
    std::array<int, 4> v = c.in;
    DDMirrorCellRect(&alias, &v[0], &v[1], &v[2], &v[3]);
    EXPECT_EQ(v, c.out);
  }
  std::array<int, 4> v{34, 0, 16, 16};
  alias.lpAliasSrc = nullptr;
  DDMirrorCellRect(&alias, &v[0], &v[1], &v[2], &v[3]);
  EXPECT_EQ(v, (std::array<int, 4>{34, 0, 16, 16}));
}

std::vector<int> StepN(cAnimePlayer& player, int n) {
  std::vector<int> values;
  for (int i = 0; i < n; ++i) values.push_back(player.Step());
  return values;
}

TEST(AnimePlayer, LoopsStaysAndJumps) {
  const AnimeFrame loop[] = {{5, 3, 0}, {6, 3, 0}, {-2, 0, 0}};
  const AnimeFrame stay[] = {{5, 2, 0}, {-1, 0, 0}};
  const AnimeFrame jump[] = {{1, 1, 0}, {-3, 2, 0}};
  const AnimeFrame target[] = {{9, 4, 0}, {-1, 0, 0}};
  {
    const AnimeFrame* lists[] = {loop, nullptr};
    cAnimePlayer p;
    p.Build(lists);
    // The first call already counts a tick; the loop step hands over at once to step 0.
    EXPECT_EQ(StepN(p, 9), (std::vector<int>{5, 5, 6, 6, 6, 5, 5, 5, 6}));
  }
  {
    const AnimeFrame* lists[] = {stay, nullptr};
    cAnimePlayer p;
    p.Build(lists);
    EXPECT_EQ(StepN(p, 5), (std::vector<int>{5, 5, 5, 5, 5}));
  }
  {
    const AnimeFrame* lists[] = {jump, stay, target, nullptr};
    cAnimePlayer p;
    p.Build(lists);
    EXPECT_EQ(p.Step(), 9);
    EXPECT_EQ(p.m_nAnime, 2);
  }
}

TEST(AnimePlayer, StaysOnTheLastStepOfAOneShotAnimation) {
  const AnimeFrame once[] = {{3, 1, 0}, {-4, 1, 0}};
  const AnimeFrame* lists[] = {once, nullptr};
  cAnimePlayer p;
  p.Build(lists);
  EXPECT_EQ(StepN(p, 4), (std::vector<int>{-4, -4, -4, -4}));
  EXPECT_EQ(p.m_nStep, 1);
}

TEST(AnimePlayer, HoldRefusesUnforcedSwitchesAndChangeDoesNotRestart) {
  const AnimeFrame held[] = {{1, 5, 1}, {-2, 0, 0}};
  const AnimeFrame free[] = {{2, 5, 0}, {3, 5, 0}, {-2, 0, 0}};
  const AnimeFrame* lists[] = {held, free, nullptr};
  cAnimePlayer p;
  p.Build(lists);
  EXPECT_EQ(p.Set(1, 0), 0);
  EXPECT_EQ(p.m_nAnime, 0);
  EXPECT_EQ(p.Set(1, 1), 1);
  StepN(p, 6);
  EXPECT_EQ(p.GetValue(), 3);
  EXPECT_EQ(p.Change(1, 0), 1);
  EXPECT_EQ(p.GetValue(), 3);
}

TEST(AnimePlayer, NullListChangesNothingAndEmptyPlayerStepsToZero) {
  const AnimeFrame once[] = {{3, 1, 0}, {-4, 1, 0}};
  const AnimeFrame* lists[] = {once, nullptr};
  cAnimePlayer p;
  EXPECT_EQ(p.Step(), 0);
  EXPECT_EQ(p.GetValue(), 0);  // a frozen frame reads it too
  p.Build(lists);
  p.Build(nullptr);
  EXPECT_EQ(p.m_Animes.size(), 1u);
  const AnimeFrame* none[] = {nullptr};
  p.Build(none);
  EXPECT_TRUE(p.m_Animes.empty());
}

}  // namespace
