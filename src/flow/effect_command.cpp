#include "flow/effect_command.h"

#include <algorithm>
#include <cstdint>

#include "core/strings.h"
#include "data/database.h"
#include "data/ed_command.h"
#include "flow/command_workers.h"
#include "flow/display_position.h"
#include "flow/flow_world_seam.h"

int CmdEffect(cFlowActor& chara, cEdCommand& def) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr || world->Quitting()) return 0;
  const auto p = [&def](int n) { return CommandParam(def, n); };
  const int index = static_cast<std::int16_t>(p(0));
  if (index == 0) {
    world->ClearEffects();
    return 0;
  }
  const cEdEffect& record = Database.Effects[index];
  const int width = PercentOf(p(6), record.nCellWidth);
  const int height = PercentOf(p(6), record.nCellHeight);
  double x = 0;
  double y = 0;
  DisplayPosition(x, y, width, height, chara, p(1), p(2), p(3), p(4), p(5));
  world->AddEffect(index, x, y, width, height, p(7));
  if (p(7) != 0) {
    // The game stands still for the whole of the effect; the effect stays for the field to end.
    std::int64_t frames = 0;
    for (const cEdEffectFrame& frame : record.Frames) frames += static_cast<std::int64_t>(frame.nDuration) * 6;
    world->SetModalDisplay(2, 0, static_cast<int>(std::min<std::int64_t>(frames, INT32_MAX)), 0);
    world->RunModalDisplay();
  }
  return 0;
}
