#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/path_helpers.h"
#include "data/common_palette.h"
#include "data/data_read_context.h"
#include "data/database.h"
#include "data/project_paths.h"
#include "data/stage_data.h"
#include "data/surface_defs.h"
#include "data/world_map.h"
#include "sample_bitmap_checks.h"
#include "sample_game_fixture.h"

namespace {

using sampletest::GameFolderTest;
using sampletest::Inside;
using sampletest::Load;

// Everything the data draws from lies inside the sheet it is drawn from: block, character,
// item and shot pictures with every pose and offset, world-map chips and icons, effect
// frames, sword parts, pictures, and each stage's backgrounds.
class SampleArtReferencesTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    palette_ = Load(SurfaceDefs[0].fileName);
    ASSERT_EQ(Database.Load(), 1);
    Database.FillReadContext(ProjectDataContext());
    ASSERT_EQ(LoadCommonPalette(), 1);
    blocks_ = Load("bmp\\Block.bmp");
    charas_ = Load("bmp\\Character1.bmp");
    items_ = Load("bmp\\Item.bmp");
    minis_ = Load("bmp\\Item_Mini.bmp");
    shots_ = Load("bmp\\Shot.bmp");
  }

  void CheckBlock(const cEdBlock& block) {
    if (block.nPicture == 0) return;
    ASSERT_EQ(block.nGraphicKind, 0) << block.strName;
    EXPECT_TRUE(Inside(blocks_, block.nPicture / 15 * 32, block.nPicture % 15 * 32, 32, 32)) << block.strName;
  }
  void CheckItem(const cEdItem& item) {
    if (item.nPicture == 0) return;
    if (item.nGraphicKind == 0) {  // an item that looks like a block
      EXPECT_TRUE(Inside(blocks_, item.nPicture / 15 * 32, item.nPicture % 15 * 32, 32, 32)) << item.strName;
      return;
    }
    ASSERT_EQ(item.nGraphicKind, 2) << item.strName;
    EXPECT_TRUE(Inside(items_, item.nPicture / 15 * 64, item.nPicture % 15 * 32, 64, 32)) << item.strName;
    EXPECT_TRUE(Inside(minis_, item.nPicture / 15 * 32, item.nPicture % 15 * 16, 16, 16)) << item.strName;
  }
  void CheckShot(const cEdShot& shot) {
    const int n = shot.nPicture;
    EXPECT_TRUE(Inside(shots_, (n / 30) * 2 * 16, n % 30 * 16, 32, 16)) << "shot picture " << n;
  }
  void CheckChara(const cEdChara& chara) {
    if (chara.nPicture == 0) return;
    ASSERT_EQ(chara.nGraphicKind, 1) << chara.strName;
    ASSERT_LT(chara.nPicture, 15) << chara.strName << " is not on the first sheet";
    // The widest column: the base, the largest cell of its motions and of the animations its
    // commands run, and the offsets its flight, block and invincible settings add.
    const cEdAnimeSet& set = Database.AnimeSets[chara.nAnimeSet];
    int cell = 0;
    for (const cEdAnime& motion : set.Motions) {
      for (const cEdAnimeFrame& frame : motion.Frames) cell = std::max(cell, frame.nCell);
    }
    for (const cEdFlow& flow : chara.flows) {
      for (const cEdCommand& command : flow.commands) {
        for (const cEdAnimeFrame& frame : Database.Animes[command.nAnime].Frames) cell = std::max(cell, frame.nCell);
        if (command.pShot) CheckShot(*command.pShot);
      }
    }
    const int offset = (chara.nFlight != 0 ? set.nFlyingOffset : 0) + (chara.bBlockChara != 0 ? set.nBlockOffset : 0) +
                       (chara.nInvincible != 0 ? set.nInvincibleOffset : 0);
    EXPECT_TRUE(Inside(charas_, (chara.nBaseColumn + cell + offset) * 32, chara.nPicture % 15 * 32, 32, 32))
        << chara.strName;
  }
  template <typename Lists>
  void CheckDefinitions(const Lists& lists) {
    for (const cEdBlock& block : lists.Blocks) CheckBlock(block);
    for (const cEdChara& chara : lists.Charas) CheckChara(chara);
    for (const cEdItem& item : lists.Items) CheckItem(item);
  }

  platform::BmpImage palette_, blocks_, charas_, items_, minis_, shots_;
};

TEST_F(SampleArtReferencesTest, PalettesAndStagesDrawFromInsideTheirSheets) {
  CheckDefinitions(CommonPalette);
  cWorldMap map;
  ASSERT_EQ(map.Load(ProjectPaths[kPathWorldMap]), 1);
  int stages = 0;
  for (cMapPoint& point : map.Points) {
    for (cMapEvent& event : point.Events) {
      if (event.nKind != 0) continue;
      std::string file;
      ASSERT_EQ(FindLastNumberedFile(file, event.strStageFile, ProjectExts[kExtStage]), 1) << event.strStageFile;
      ASSERT_EQ(StageCur.Load(file), 1) << file;
      ++stages;
      struct {
        const cVector<cEdBlock>& Blocks;
        const cVector<cEdChara>& Charas;
        const cVector<cEdItem>& Items;
      } placed{StageCur.Blocks, StageCur.Charas, StageCur.Items};
      CheckDefinitions(placed);
      EXPECT_FALSE(StageCur.Blocks.empty()) << file;
      for (const cEdBackground& background : StageCur.Backgrounds) {
        if (background.bFill != 0) continue;
        const platform::BmpImage picture = Load(background.strPicture);
        EXPECT_EQ(picture.colors, palette_.colors) << background.strPicture;
      }
    }
  }
  EXPECT_EQ(stages, 3);
}

TEST_F(SampleArtReferencesTest, WorldMapChipsIconsAndBackgroundAreThere) {
  cWorldMap map;
  ASSERT_EQ(map.Load(ProjectPaths[kPathWorldMap]), 1);
  const platform::BmpImage chips = Load("bmp\\WorldMapChip.bmp");
  const platform::BmpImage icons = Load("bmp\\WorldEvent.bmp");
  for (const cMapTile& tile : map.Tiles) {
    EXPECT_TRUE(Inside(chips, tile.nGraphic % 5 * 32, tile.nGraphic / 5 * 32, 32, 32)) << tile.strTileName;
  }
  for (cMapPoint& point : map.Points) {
    for (const cMapEvent& event : point.Events) EXPECT_TRUE(Inside(icons, 32, event.nIcon * 32, 32, 32)) << point.strPointName;
  }
  ASSERT_EQ(map.bBackBitmap, 1);
  const platform::BmpImage back = Load(map.strBackBitmap);
  EXPECT_GE(back.width, 640);
  EXPECT_GE(back.height, 480);
}

TEST_F(SampleArtReferencesTest, DatabasePicturesEffectsAndSwordsAreThere) {
  for (std::size_t i = 1; i < Database.Effects.size(); ++i) {
    const cEdEffect& effect = Database.Effects[static_cast<int>(i)];
    const platform::BmpImage picture = Load(effect.strBitmap);
    for (const cEdEffectFrame& frame : effect.Frames) {
      EXPECT_TRUE(Inside(picture, frame.nCell * effect.nCellWidth, 0, effect.nCellWidth, effect.nCellHeight)) << effect.strName;
    }
  }
  for (const cEdSwordType& sword : Database.SwordTypes) {
    for (const std::string& file : {sword.strBitmapLeft, sword.strBitmapRight}) {
      const platform::BmpImage picture = Load(file);
      for (const cEdSwordPart& part : sword.Parts) {
        EXPECT_TRUE(Inside(picture, part.nRectX, part.nRectY, part.nRectWidth, part.nRectHeight)) << file;
      }
    }
  }
  for (std::size_t i = 1; i < Database.Pictures.size(); ++i) Load(Database.Pictures[static_cast<int>(i)].strFile);
}

}  // namespace
