#include "flow/message_command.h"

#include "data/ed_command.h"
#include "flow/command_workers.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_cursor.h"
#include "flow/flow_world_seam.h"

int CmdMessage(cFlowActor& chara, cEdCommand& def) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr || world->Quitting()) return 0;
  const auto p = [&def](int n) { return CommandParam(def, n); };
  FlowMessage m;
  m.text = def.strText;
  m.positionMode = p(0);
  m.cellX = p(1);
  m.cellY = p(2);
  m.offsetX = p(3);
  m.offsetY = p(4);
  m.keepInside = p(5);
  m.displayMode = p(6);
  m.frames = p(17) != 0 ? 1 : static_cast<std::int32_t>(static_cast<std::int64_t>(p(7)) * 6);
  m.modal = p(8);
  m.expand = p(9);
  m.screenFixed = p(10);
  m.refresh = p(11);
  m.hasId = p(12);
  m.id = p(13);
  m.font = p(14);
  m.close = p(15);
  m.refreshInterval = p(16);
  m.follow = m.positionMode >= 1 && m.positionMode <= 3 ? 1 : m.positionMode >= 4 && m.positionMode <= 6 ? 2 : 0;
  const cFlow* flow = CurrentFlow().flow;
  m.chained = flow != nullptr ? flow->bMessageChain : 0;
  world->ShowMessage(m, chara);
  return 0;
}
