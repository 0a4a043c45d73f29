#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/ed_anime.h"
#include "data/ed_anime_set.h"
#include "data/ed_bmp_chara_exc.h"
#include "data/ed_effect.h"
#include "data/ed_media_file.h"
#include "data/ed_param_effect.h"
#include "data/ed_sword_type.h"
#include "database_files.h"
#include "project_file_fixture.h"

namespace {

using namespace dbfiles;

class DatabaseRecordTest : public projecttest::ProjectFileTest {};

// Motion i named "m<i>", with the given number of frames.
std::vector<std::string> Motions(std::int32_t version, const std::vector<int>& frames) {
  std::vector<std::string> motions;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    motions.push_back(AnimeRecord(version, "m" + std::to_string(i), std::vector<Frame>(frames[i], Frame{1, 1, 0})));
  }
  return motions;
}

TEST_F(DatabaseRecordTest, NewRecordsHoldTheirDefaults) {
  const cEdAnime anime;
  EXPECT_EQ(anime.nEditor2, 1);
  ASSERT_EQ(anime.Frames.size(), 1u);
  EXPECT_EQ(anime.Frames[0].nDuration, 1);

  const cEdAnimeSet set;
  EXPECT_EQ(set.nInvincibleOffset, 4);
  EXPECT_EQ(set.nBlockOffset, 8);
  ASSERT_EQ(set.Motions.size(), 4u);
  EXPECT_EQ(set.Motions[0].strName, "立ち");
  EXPECT_EQ(set.Motions[1].strName, "立ち移動");
  EXPECT_EQ(set.Motions[2].strName, "飛行");
  EXPECT_EQ(set.Motions[3].strName, "飛行移動");

  const cEdSwordType sword;
  ASSERT_EQ(sword.Parts.size(), 1u);
  EXPECT_EQ(sword.Parts[0].bMirrorX, 1);
  EXPECT_EQ(sword.Parts[0].nDuration, 1);

  const cEdBmpCharaExc bitmap;
  EXPECT_EQ(bitmap.nCellSize, 2);
  const cEdEffect effect;
  EXPECT_EQ(effect.nCellWidth, 32);
  EXPECT_TRUE(effect.Frames.empty());
  EXPECT_EQ(cEdCharaEffect().nKind, 1);
  EXPECT_EQ(cEdScrEffect().nKind, 1);
}

TEST_F(DatabaseRecordTest, RecordsWriteTheirLayoutAndReadBack) {
  cEdAnimeSet set;
  set.nFlyingOffset = 3;
  set.Motions[1].Frames.push_back(cEdAnimeFrame::ListDefault());
  set.Motions[1].Frames[1].bHold = 1;
  const std::array<std::int32_t, 3> editor = {0, 1, 0};
  const std::vector<std::string> motions = {
      AnimeRecord(750, "立ち", {{0, 1, 0}}, editor),
      AnimeRecord(750, "立ち移動", {{0, 1, 0}, {0, 1, 1}}, editor),
      AnimeRecord(750, "飛行", {{0, 1, 0}}, editor),
      AnimeRecord(750, "飛行移動", {{0, 1, 0}}, editor),
  };
  set.strName = "set";
  EXPECT_EQ(WriteFile(set).substr(4), AnimeSetRecord(750, 4, 8, 3, motions));

  cEdSwordType sword;
  sword.strBitmapRight = "r.bmp";
  ByteBuilder expected;
  expected.fields(1).i32(0).strings(3).str("").str("").str("r.bmp").list(1);
  expected.fields(10).i32(0).i32(0).i32(1).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(1).strings(0);
  EXPECT_EQ(WriteFile(sword).substr(4), expected.bytes());

  cEdScrEffect screen;
  screen.nParam[4] = -9;
  EXPECT_EQ(WriteFile(screen).substr(4), ParamEffectRecord(1, {0, 0, 0, 0, -9}));

  cEdAnimeSet back;
  ASSERT_TRUE(ReadFile(back, WriteFile(set)));
  EXPECT_EQ(WriteFile(back), WriteFile(set));
}

TEST_F(DatabaseRecordTest, OldAnimationSetsAreBroughtToTheFourStandardMotions) {
  struct Case {
    std::int32_t version;
    std::vector<int> frames;  // one motion per entry, with that many frames
    std::size_t motions;
  };
  const Case cases[] = {{118, {1, 1, 1, 1, 1, 1}, 4}, {127, {2, 2, 2}, 4}, {128, {}, 0}, {128, {1, 1, 1, 1, 1, 1}, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    cEdAnimeSet set;
    set.nFlyingOffset = 5;
    ASSERT_TRUE(ReadFile(set, Header(c.version) + AnimeSetRecord(c.version, 21, 22, 9, Motions(c.version, c.frames))));
    ASSERT_EQ(set.Motions.size(), c.motions);
    EXPECT_EQ(set.nFlyingOffset, c.version < 119 ? 5 : 9);
    if (c.version >= 128) continue;
    EXPECT_EQ(set.Motions[0].strName, "m0");
    EXPECT_EQ(set.Motions[2].strName, "飛行");
    EXPECT_EQ(set.Motions[3].strName, "飛行移動");
  }
  // The motion added to a set of three is a new animation: one frame of one tenth.
  cEdAnimeSet set;
  ASSERT_TRUE(ReadFile(set, Header(127) + AnimeSetRecord(127, 4, 8, 0, Motions(127, {2, 2, 2}))));
  ASSERT_EQ(set.Motions[3].Frames.size(), 1u);
  EXPECT_EQ(set.Motions[3].Frames[0].nDuration, 1);
  EXPECT_EQ(set.Motions[2].Frames.size(), 2u);
}

TEST_F(DatabaseRecordTest, AnimationsBefore55StoreOnlyTheirName) {
  cEdAnime anime;
  anime.nEditor1 = 3;
  ASSERT_TRUE(ReadFile(anime, Header(54) + AnimeRecord(54, "old", {})));
  EXPECT_EQ(anime.strName, "old");
  EXPECT_EQ(anime.nEditor1, 3);
  EXPECT_EQ(anime.nEditor2, 1);
  EXPECT_TRUE(anime.Frames.empty());  // the file's empty frame list empties the list

  ASSERT_TRUE(ReadFile(anime, Header(55) + AnimeRecord(55, "new", {{4, 2, 0}})));
  EXPECT_EQ(anime.nEditor1, 11);
  EXPECT_EQ(anime.nEditor2, 12);
  EXPECT_EQ(anime.nEditor3, 13);
  ASSERT_EQ(anime.Frames.size(), 1u);
  EXPECT_EQ(anime.Frames[0].nCell, 4);
}

TEST_F(DatabaseRecordTest, TheEditorFieldIsReadAs0Before153) {
  struct Case {
    std::int32_t version;
    std::int32_t editor;  // after reading a stored 77
    std::int32_t fields;  // the bitmap record's field count at that version
  };
  for (const Case& c : {Case{150, 0, 0}, Case{152, 0, 1}, Case{153, 77, 1}, Case{171, 77, 1}, Case{172, 77, 3}}) {
    SCOPED_TRACE(c.version);
    cEdBmpCharaExc bitmap;
    ASSERT_TRUE(ReadFile(bitmap, Header(c.version) + BmpCharaExcRecord(c.version, 77, 1, 4)));
    EXPECT_EQ(bitmap.nEditor, c.editor);
    EXPECT_EQ(bitmap.strBitmap, "chara.bmp");
    EXPECT_EQ(bitmap.bLargeCell, c.fields == 3 ? 1 : 0);
    EXPECT_EQ(bitmap.nCellSize, c.fields == 3 ? 4 : 2);

    const std::int32_t mediaEditor = c.version >= 153 ? 77 : 0;
    cEdSound sound;
    ASSERT_TRUE(ReadFile(sound, Header(c.version) + MediaRecord(c.version, 77, "se.wav")));
    EXPECT_EQ(sound.nEditor, mediaEditor);
    EXPECT_EQ(sound.strFile, "se.wav");
    cEdBgm bgm;
    ASSERT_TRUE(ReadFile(bgm, Header(c.version) + MediaRecord(c.version, 77, "m.ogg")));
    EXPECT_EQ(bgm.nEditor, mediaEditor);
    cEdEffect effect;
    ASSERT_TRUE(ReadFile(effect, Header(c.version) + EffectRecord(c.version, 77, 48, {{1, 2}})));
    EXPECT_EQ(effect.nEditor, mediaEditor);
    EXPECT_EQ(effect.nCellWidth, 48);
    ASSERT_EQ(effect.Frames.size(), 1u);
    cEdSwordType sword;
    ASSERT_TRUE(ReadFile(sword, Header(c.version) + SwordTypeRecord(c.version, 77, 0)));
    EXPECT_EQ(sword.nEditor, mediaEditor);
    EXPECT_TRUE(sword.Parts.empty());
  }
}

TEST_F(DatabaseRecordTest, CellSizesStayWithinTheSheet) {
  for (const auto& [stored, kept] : {std::pair{0, 1}, {-3, 1}, {1, 1}, {16, 16}, {17, 16}, {40, 16}}) {
    cEdBmpCharaExc bitmap;
    ASSERT_TRUE(ReadFile(bitmap, Header(750) + BmpCharaExcRecord(750, 0, 1, stored)));
    EXPECT_EQ(bitmap.nCellSize, kept) << stored;
  }
  struct Case {
    std::int32_t large, size, cell, x, y;
  };
  for (const Case& c : {Case{1, 2, 9, 64, 64}, Case{0, 2, 17, 32, 32}, Case{1, 16, 3, 0, 1536}, Case{1, 3, 5, 0, 96}}) {
    cEdBmpCharaExc bitmap;
    bitmap.bLargeCell = c.large;
    bitmap.nCellSize = c.size;
    std::int32_t x = -1, y = -1;
    bitmap.CellOrigin(c.cell, x, y);
    EXPECT_EQ(x, c.x) << c.cell;
    EXPECT_EQ(y, c.y) << c.cell;
  }
}

TEST_F(DatabaseRecordTest, SwordPartsBefore138HaveNoMirrorFlags) {
  cEdSwordType sword;
  ASSERT_TRUE(ReadFile(sword, Header(137) + SwordTypeRecord(137, 0, 2)));
  ASSERT_EQ(sword.Parts.size(), 2u);
  const cEdSwordPart& part = sword.Parts[1];
  EXPECT_EQ(part.nOffsetX, 1);
  EXPECT_EQ(part.nOffsetY, 2);
  EXPECT_EQ(part.bMirrorX, 1);
  EXPECT_EQ(part.bMirrorY, 0);
  EXPECT_EQ(part.nAttach, 3);
  EXPECT_EQ(part.nRectHeight, 7);
  EXPECT_EQ(part.nDuration, 8);

  ASSERT_TRUE(ReadFile(sword, Header(138) + SwordTypeRecord(138, 0, 1)));
  EXPECT_EQ(sword.Parts[0].bMirrorX, 3);
  EXPECT_EQ(sword.Parts[0].nDuration, 10);
}

TEST_F(DatabaseRecordTest, OldEffectsGetTheirCoarsenessDefault) {
  struct Case {
    bool screen;
    std::int32_t version, kind;
    int param;  // 0-based
    std::int32_t expected;
  };
  const Case cases[] = {
      {false, 510, 4, 4, 2}, {false, 510, 5, 4, 2},  {false, 510, 10, 3, 2}, {false, 511, 5, 4, 0},
      {false, 510, 6, 4, 0}, {true, 400, 10, 3, 8},  {true, 510, 6, 4, 8},   {true, 510, 7, 4, 10},
      {true, 511, 7, 4, 0},  {true, 510, 4, 4, 0},
  };
  for (const Case& c : cases) {
    const std::string bytes = Header(c.version) + ParamEffectRecord(c.kind, {0, 0, 0, 0, 0});
    std::int32_t value = -1;
    if (c.screen) {
      cEdScrEffect effect;
      ASSERT_TRUE(ReadFile(effect, bytes));
      value = effect.nParam[c.param];
    } else {
      cEdCharaEffect effect;
      ASSERT_TRUE(ReadFile(effect, bytes));
      value = effect.nParam[c.param];
    }
    EXPECT_EQ(value, c.expected) << (c.screen ? "screen " : "character ") << c.version << " kind " << c.kind;
  }
}

}  // namespace
