#include "flow/lead_in_schedule.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/trunc_to_int.h"
#include "data/command_tables.h"
#include "data/database.h"
#include "data/ed_flow.h"
#include "flow/flow_state_seam.h"

namespace {

// Frames of an animation up to its first held frame.
int LeadInFrames(int anime) {
  if (anime < 0 || anime >= static_cast<int>(Database.Animes.size())) return 0;
  std::int64_t tenths = 0;
  for (const cEdAnimeFrame& frame : Database.Animes[anime].Frames) {
    if (frame.bHold != 0) break;
    tenths += frame.nDuration;
  }
  return SaturateToInt(tenths * 6);
}

}  // namespace

void ScheduleLeadIns(cFlow& flow, const cEdFlow& def, int b) {
  flow.vLeadIns.clear();
  // The commands from n to u - 1 hold the flow for before(u) - before(n) sub-steps, before(k)
  // being the budgets of the commands before k that hold it. A lead-in of `total` sub-steps
  // fits into them when some command n before u that holds the flow has before(n) <=
  // before(u) - total; where it starts depends only on before(u), so the least before(n) so
  // far tells.
  std::int64_t before = 0;
  std::int64_t least = std::numeric_limits<std::int64_t>::max();
  for (int u = 0; u < static_cast<int>(flow.vCmds.size()); ++u) {
    const cEdCommand& command = def.commands[u];
    if (command.nAnime != 0) {
      const int len = LeadInFrames(command.nAnime);
      const std::int64_t total = static_cast<std::int64_t>(len) * b;
      FlowLeadIn leadIn;
      leadIn.nAnime = command.nAnime;
      leadIn.nHold = static_cast<std::int16_t>(command.nTime * 6);
      leadIn.bExtend = command.nKind == kCmdSword || command.nKind == kCmdJump ? 0 : 1;
      if (least <= before - total) {
        leadIn.nStart = SaturateToInt(before - total);
        leadIn.nLength = static_cast<std::int16_t>(len);
      } else {
        const std::int64_t offset = std::min<std::int64_t>((total - before) / b, len);
        leadIn.nStart = 0;
        leadIn.nOffset = static_cast<std::int16_t>(offset);
        leadIn.nLength = static_cast<std::int16_t>(len - offset);
      }
      flow.vLeadIns.push_back(leadIn);
    }
    if (command.bNoWait == 0) {
      least = std::min(least, before);
      before += flow.vCmds[u].nBudget;
    }
  }
}
