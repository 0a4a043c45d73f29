#include "flow/picture_command.h"

#include <cstdint>

#include "data/database.h"
#include "data/ed_command.h"
#include "flow/command_workers.h"
#include "flow/display_position.h"
#include "flow/flow_world_seam.h"

int CmdPicture(cFlowActor& chara, cEdCommand& def) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr || world->Quitting()) return 0;
  const auto p = [&def](int n) { return CommandParam(def, n); };
  const int index = static_cast<std::int16_t>(p(0));
  const bool hasId = p(12) != 0;
  if (index == 0 && !hasId) {
    world->RemoveAllPictures();
    return 0;
  }
  int place = -1;
  if (hasId) {
    const int found = world->FindPicture(p(13));
    if (found >= 0) {
      world->RemovePicture(found);
      if (index == 0) return 0;
      place = found;
    } else if (index == 0) {
      return 0;
    }
  }
  const cEdPicture& record = Database.Pictures[index];
  int width = 0;
  int height = 0;
  if (!world->LoadPicture(place, record.strFile, p(7), width, height)) return 0;
  FlowPicture picture;
  picture.picture = index;
  picture.width = width;
  picture.height = height;
  DisplayPosition(picture.x, picture.y, width, height, chara, p(1), p(2), p(3), p(4), p(5));
  picture.screenFixed = p(11);
  picture.blend = p(6);
  picture.magnification = p(7);
  picture.displayMode = p(8);
  picture.frames = p(14) != 0 ? 1 : static_cast<std::int32_t>(static_cast<std::int64_t>(p(9)) * 6);
  picture.modal = p(10);
  picture.hasId = p(12);
  picture.id = p(13);
  world->AddPicture(place, picture);
  if (picture.modal == 0) return 0;
  // Display mode 1 (until the stage ends) leaves the display's state as the last one set.
  if (picture.displayMode == 0) world->SetModalDisplay(3, 1, 0, 0);
  if (picture.displayMode == 2) world->SetModalDisplay(3, 0, picture.frames, 0);
  world->RunModalDisplay();
  // The game went on without the picture it stood still for.
  world->RemovePicture(place >= 0 ? place : world->PictureCount() - 1);
  return 0;
}
