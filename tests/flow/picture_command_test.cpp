// What the picture command asks of the scene: pictures by ID replaced at their place or erased,
// all erased by picture 0, and nothing shown when the image cannot be read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/command_tables.h"
#include "data/database.h"
#include "fake_actor.h"
#include "flow/picture_command.h"

namespace {

class PictureCommandTest : public testing::Test {
 protected:
  PictureCommandTest() {
    cEdPicture sign;
    sign.strFile = "pic\\sign.bmp";
    cEdPicture bad;
    bad.strFile = "bad";
    Database.Pictures = {cEdPicture{}, sign, bad};
  }
  ~PictureCommandTest() override { Database.Pictures = saved_; }
  void Run(int picture, bool hasId, int id, int magnification = 100, int tenths = 3, bool oneFrame = false) {
    cEdCommand c;
    c.nKind = kCmdShowPicture;
    c.params.assign(15, 0);
    c.params[0] = picture;
    c.params[7] = magnification;
    c.params[9] = tenths;
    c.params[12] = hasId ? 1 : 0;
    c.params[13] = id;
    c.params[14] = oneFrame ? 1 : 0;
    CmdPicture(self, c);
  }
  std::string Ids() const {
    std::string ids;
    for (const FlowPicture& p : world.pictures) ids += std::to_string(p.id) + ":" + std::to_string(p.width) + " ";
    return ids;
  }

  flowtest::FakeWorld world;
  flowtest::FakeActor self;

 private:
  cVector<cEdPicture> saved_ = Database.Pictures;
};

TEST_F(PictureCommandTest, PicturesByIdAreReplacedAtTheirPlaceOrErased) {
  Run(1, true, 5);
  Run(1, true, 6);
  Run(1, false, 0, 50);
  EXPECT_EQ(Ids(), "5:40 6:40 0:20 ");
  Run(1, true, 5, 200);  // replaced where it was
  EXPECT_EQ(Ids(), "5:80 6:40 0:20 ");
  Run(0, true, 6);  // erased
  EXPECT_EQ(Ids(), "5:80 0:20 ");
  Run(0, true, 7);  // not shown: nothing
  EXPECT_EQ(Ids(), "5:80 0:20 ");
  Run(2, true, 8);  // cannot be read: no picture
  EXPECT_EQ(Ids(), "5:80 0:20 ");
  Run(0, false, 0);  // all
  EXPECT_EQ(Ids(), "");
}

TEST_F(PictureCommandTest, TheDisplayTimeAndThePlace) {
  world.axes[0].position = 100;
  Run(1, false, 0, 100, 15);
  Run(1, false, 0, 100, 15, true);
  ASSERT_EQ(world.pictures.size(), 2u);
  EXPECT_EQ(world.pictures[0].frames, 90);
  EXPECT_EQ(world.pictures[1].frames, 1);
  EXPECT_EQ(world.pictures[0].x, 100 + 320 - 20);  // the screen's centre
  EXPECT_EQ(world.loaded, (std::vector<std::string>{"pic\\sign.bmp", "pic\\sign.bmp"}));
  world.quitting = true;
  Run(1, false, 0);
  EXPECT_EQ(world.pictures.size(), 2u);
}

}  // namespace
