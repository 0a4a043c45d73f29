#include "flow/warp_target_commands.h"

#include <cstdint>

#include "data/ed_command.h"
#include "data/ed_move.h"
#include "data/system_data.h"
#include "flow/command_workers.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_world_seam.h"
#include "flow/move_helpers.h"

namespace {

constexpr double kInverseRootTwo = 0.7071067811865476;

// The direction of a warp measured from `from`: the keys held now for "入力方向", a diagonal
// kept for a character on the ground unless the project predates that.
int WarpDirection(cFlowActor& from, int mode) {
  const bool flying = SystemData.bLegacy721 != 0 ? from.Flying() : true;
  return ResolveMoveDir(from, mode, true, flying);
}

}  // namespace

int CmdWarp(cFlowActor& chara, cEdCommand& def) {
  if (def.pMove == nullptr) return 0;
  const cEdMove& move = *def.pMove;
  FlowWarp warp;
  warp.mode = static_cast<std::int8_t>(move.nSpecMode);
  const std::int32_t halfBlocks =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(move.nDistanceStep) * static_cast<std::uint32_t>(chara.Clone()) +
                                static_cast<std::uint32_t>(move.nDistance));
  const std::int32_t d = static_cast<std::int32_t>(static_cast<std::uint32_t>(halfBlocks) * 16u);
  warp.straight = d;
  warp.diagonal = d * kInverseRootTwo;
  const int direction = static_cast<std::int8_t>(move.nDirection);
  if (warp.mode == 0) {
    warp.dirCode = WarpDirection(chara, direction);
  } else if (warp.mode == 1) {
    if (cFlowActor* target = chara.Target()) warp.dirCode = WarpDirection(*target, direction);
  }
  warp.coordMode = static_cast<std::int8_t>(move.nCoordMode);
  warp.cellX = move.nTargetX;
  warp.cellY = move.nTargetY;
  warp.dotsX = move.nTargetXDots;
  warp.dotsY = move.nTargetYDots;
  warp.dx = move.nTargetX * 32 + move.nTargetXDots;
  warp.dy = move.nTargetY * 32 + move.nTargetYDots;
  if (chara.Facing() == 1) {
    if (move.bMirrorX != 0) warp.dx = -warp.dx;
    if (move.bMirrorY != 0) warp.dy = -warp.dy;
  }
  chara.Warp(warp);
  return 0;
}

int CmdSetTarget(cFlowActor& chara, cEdCommand& def) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr) return 0;
  const auto p = [&def](int n) { return CommandParam(def, n); };
  cFlowActor* found = nullptr;
  switch (p(0)) {
    case 0: found = world->Hero(); break;
    case 1: found = &chara; break;
    case 2:
    case 3: {
      FlowTargetSearch search;
      search.kind = p(0);
      search.group = p(1);
      search.allGroups = p(2) != 0;
      search.range = p(3);
      search.skipSelf = p(4) != 0;
      search.skipInvincible1 = p(5) != 0;
      search.skipInvincible2 = p(6) != 0;
      search.skipBlockCharas = p(7) != 0;
      search.byId = p(8) != 0;
      search.charaId = static_cast<std::int8_t>(p(9));
      search.byVariable = p(10) != 0;
      search.variable = static_cast<std::int16_t>(p(11));
      search.value = p(12);
      search.comparison = p(13);
      found = world->FindTarget(chara, search);
      break;
    }
    default: break;
  }
  const int whenNone = p(14);
  if (whenNone == 0 || (whenNone == 1 && found != nullptr)) chara.Retarget(found);
  return 0;
}
