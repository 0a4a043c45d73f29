#include "flow/display_position.h"

#include "flow/flow_actor_seam.h"
#include "flow/flow_world_seam.h"

void DisplayPosition(double& x, double& y, int width, int height, cFlowActor& chara, int mode, int cellX, int cellY,
                     int offsetX, int offsetY) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr) return;
  const FlowScrollAxis h = world->ScrollAxis(0);
  const FlowScrollAxis v = world->ScrollAxis(1);
  const int w2 = width >> 1;
  const int h2 = height >> 1;
  const auto centredOn = [&](cFlowActor& who) {
    const FlowScreenRect r = who.ScreenRect();
    x = r.left + (r.width >> 1) + h.position - w2 + offsetX;
    y = r.top + (r.height >> 1) + v.position - h2 + offsetY;
  };
  switch (mode) {
    case 0:
      x = h.position + 320 - w2 + offsetX;
      y = v.position + 240 - h2 + offsetY;
      break;
    case 1: centredOn(chara); break;
    case 2:
      if (cFlowActor* hero = world->Hero()) centredOn(*hero);
      break;
    case 3:
      x = h.position + cellX * 32.0 + offsetX;
      y = v.position + cellY * 32.0 + offsetY;
      break;
    case 4:
      x = (static_cast<double>(cellX) + h.margin) * 32 + offsetX;
      y = (static_cast<double>(cellY) + v.margin) * 32 + offsetY;
      break;
    default: break;
  }
}
