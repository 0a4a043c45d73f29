#include <gtest/gtest.h>

#include <string>

#include "make_sample_game/blend_tables.h"
#include "make_sample_game/sample_palette.h"
#include "sample_game_fixture.h"

namespace {

namespace fs = std::filesystem;
using sampletest::FolderContents;
using sampletest::SampleGame;
using testsupport::TempFolder;

// Two runs, into two folders, write the same files with the same bytes; a run over an earlier
// game leaves nothing of it behind.
TEST(SampleGameOutput, TwoRunsWriteTheSameBytesAndReplaceAnEarlierGame) {
  TempFolder fresh;
  ASSERT_TRUE(sample::MakeSampleGame(fresh.path()).ok);
  TempFolder other;
  other.Write("default/stg4/Old.stg4_000", "stale");
  other.Write("bmp/Old.bmp", "stale");
  other.Write("data/System.dat", "copied by an earlier start");
  const sample::MakeResult made = sample::MakeSampleGame(other.path());
  ASSERT_TRUE(made.ok) << made.error;

  const auto first = FolderContents(fresh.path());
  const auto second = FolderContents(other.path());
  EXPECT_GT(first.size(), 90u);
  ASSERT_EQ(first.size(), second.size());
  for (const auto& [path, bytes] : first) {
    const auto found = second.find(path);
    ASSERT_NE(found, second.end()) << path << " was not written again";
    EXPECT_TRUE(found->second == bytes) << path << " differs between runs";
  }
  EXPECT_FALSE(fs::exists(other.path() / "data")) << "the data folder of the earlier game stayed";
  EXPECT_EQ(testsupport::ReadFileBytes(other.path() / "System.ini"), sample::SampleSystemIni());
  EXPECT_EQ(made.files, static_cast<int>(second.size()));
}

TEST(SampleGameOutput, AFolderThatCannotBeMadeIsReported) {
  TempFolder folder;
  folder.Write("file", "in the way");
  const sample::MakeResult made = sample::MakeSampleGame(folder.path() / "file" / "game");
  EXPECT_FALSE(made.ok);
  EXPECT_NE(made.error.find("game"), std::string::npos) << made.error;
}

// The translucency tables: one per palette choice, each 256 x 256 palette indices. Mixing a
// colour with itself or with the transparent colour keeps it; the mix of two colours is never
// farther from their average than the nearer of the two, and never lands in the cycling band.
TEST(SampleGameOutput, TranslucencyTablesMixWithinThePaletteOfTheirChoice) {
  const fs::path folder = SampleGame::Folder() / "bmp" / "hbt";
  for (int choice = 0; choice < sample::kPaletteChoices; ++choice) {
    char name[16];
    std::snprintf(name, sizeof name, "hbt%02d.dat", choice);
    const std::string table = testsupport::ReadFileBytes(folder / name);
    ASSERT_EQ(table.size(), 65536u) << name;
    const sample::PaletteColors colors = sample::PaletteForChoice(sample::SamplePalette(), choice);
    auto at = [&](int a, int b) { return static_cast<std::uint8_t>(table[static_cast<std::size_t>(a * 256 + b)]); };
    auto distance = [&](int index, int r, int g, int b) {
      const sample::Rgb& c = colors[static_cast<std::size_t>(index)];
      const long dr = c.r - r, dg = c.g - g, db = c.b - b;
      return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
    };
    auto mixable = [](int index) {
      return index != 0 && index != 255 && !(index >= sample::kCycleFirst && index <= sample::kCycleLast);
    };
    for (int a = 0; a < 256; ++a) {
      ASSERT_EQ(at(a, a), a) << name;
      ASSERT_EQ(at(a, 0), a) << name;
      ASSERT_EQ(at(0, a), a) << name;
      for (int b = 1; b < 256; b += 7) {
        if (a == 0 || a == b) continue;
        const int mixed = at(a, b);
        ASSERT_EQ(mixed, at(b, a)) << name;
        ASSERT_FALSE(mixed >= sample::kCycleFirst && mixed <= sample::kCycleLast) << name << " mixes into the band";
        // The even mix, rounded down; either colour itself would be no nearer to it.
        const sample::Rgb& ca = colors[static_cast<std::size_t>(a)];
        const sample::Rgb& cb = colors[static_cast<std::size_t>(b)];
        const int r = (ca.r + cb.r) / 2, g = (ca.g + cb.g) / 2, bl = (ca.b + cb.b) / 2;
        for (const int source : {a, b}) {
          if (mixable(source)) {
            ASSERT_LE(distance(mixed, r, g, bl), distance(source, r, g, bl)) << name << " (" << a << ", " << b << ")";
          }
        }
      }
    }
  }
}

}  // namespace
