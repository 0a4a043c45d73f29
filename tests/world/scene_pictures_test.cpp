// The play scene's pictures and their surfaces with the real drawing library: shown, replaced
// in place, erased one by one or all, and a file that cannot be read keeping the lists equal.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "gfx/gfx_test_support.h"
#include "support/world_fixture.h"
#include "world/scene_play.h"

namespace {

class ScenePicturesTest : public gfxtest::LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    WriteFile("pic/sign.bmp", gfxtest::PaletteBitmap());
    ASSERT_TRUE(Init(gfxtest::Mode{"DD32", 0, 32, 1}));
    world_.emplace(std::vector<std::string>{"H...", "####"});
    world_->Build();
  }
  void TearDown() override {
    world_.reset();
    LibraryTest::TearDown();
  }
  // Shows the sign under an ID at the given place; its width by the magnification.
  int Show(int place, int id, int magnification) {
    cScenePlay& s = world_->Scene();
    int width = 0;
    int height = 0;
    if (!s.LoadPicture(place, "pic\\sign.bmp", magnification, width, height)) return -1;
    FlowPicture p;
    p.picture = 1;
    p.width = width;
    p.height = height;
    p.hasId = 1;
    p.id = id;
    s.AddPicture(place, p);
    return width;
  }
  void ExpectListsEqual() {
    cScenePlay& s = world_->Scene();
    EXPECT_EQ(s.PictureSurfaces.size(), s.PictureList.size());
    EXPECT_EQ(s.PictureSurfaceDefs.size(), s.PictureList.size());
  }
  std::optional<worldtest::WorldFixture> world_;
};

TEST_F(ScenePicturesTest, PicturesAreShownReplacedInPlaceAndErased) {
  cScenePlay& s = world_->Scene();
  EXPECT_EQ(Show(-1, 1, 100), 16);
  EXPECT_EQ(Show(-1, 2, 150), 24);
  EXPECT_EQ(Show(-1, 3, 50), 8);
  ExpectListsEqual();
  EXPECT_EQ(s.FindPicture(2), 1);
  EXPECT_EQ(s.FindPicture(9), -1);

  // Replacing picture 2: out, and the new one back at its place.
  const int place = s.FindPicture(2);
  s.RemovePicture(place);
  EXPECT_EQ(Show(place, 2, 200), 32);
  EXPECT_EQ(s.FindPicture(2), 1);
  EXPECT_EQ(s.PictureList.NodeAt(1)->nWidth, 32);
  EXPECT_EQ(s.PictureSurfaces.NodeAt(1)->nWidth, 16);
  ExpectListsEqual();

  s.RemovePicture(s.FindPicture(1));
  EXPECT_EQ(s.FindPicture(2), 0);
  ExpectListsEqual();

  // A file that cannot be read: reported, the program asked to close, the lists still equal.
  int width = 0;
  int height = 0;
  EXPECT_FALSE(s.LoadPicture(0, "pic\\missing.bmp", 100, width, height));
  EXPECT_EQ(closeRequests_, 1);
  EXPECT_NE(ErrorLog().find("pic\\missing.bmp 読み込み失敗！"), std::string::npos);
  ExpectListsEqual();

  s.RemoveAllPictures();
  EXPECT_TRUE(s.PictureList.empty());
  ExpectListsEqual();
}

TEST(PictureMemoryFlagTest, MagnifiedPicturesWithoutStretchingLiveInSystemMemory) {
  struct Case {
    int magnification;
    bool stretch;
    unsigned freeMB, totalMB;
    int flag;
  };
  const Case cases[] = {
      {150, false, 900, 1000, 1}, {100, false, 900, 1000, 0}, {100, false, 199, 1000, 1},
      {100, false, 200, 1000, 0}, {150, true, 100, 1000, 1},  {150, true, 500, 1000, 0},
      {100, false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PictureMemoryFlag(c.magnification, c.stretch, c.freeMB, c.totalMB), c.flag)
        << c.magnification << " " << c.stretch << " " << c.freeMB << "/" << c.totalMB;
  }
}

}  // namespace
