#include "flow/stage_commands.h"

#include <cstdint>
#include <string>

#include "core/message_boxes.h"
#include "data/ed_command.h"
#include "data/save_data.h"
#include "data/world_map.h"
#include "flow/command_workers.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_world_seam.h"

namespace {

enum ClearTarget : int { kNextPart = 0, kPartByNumber = 1, kByFile = 2, kWorldClear = 3 };

// A world-map coordinate no further than the map's last cell; there is no lower bound.
std::int32_t OnMap(std::int32_t value, std::int32_t size) { return value >= size ? size - 1 : value; }

}  // namespace

int CmdStageClear(cFlowActor& chara, cEdCommand& def) {
  const auto p = [&def](int n) { return CommandParam(def, n); };
  cSaveData& save = SaveDataCur;
  cFlowWorld* world = FlowWorld();
  const auto next = [world](int number, const std::string& file) {
    if (world != nullptr) world->SetNextStage(number, file);
  };
  switch (p(0)) {
    case kNextPart: next(save.m_nPart + 1, {}); break;
    case kPartByNumber: next(p(1), {}); break;
    case kWorldClear: next(0, {}); break;
    case kByFile: {
      // The command's own text keeps the form it is turned into, so a second run agrees.
      std::string& text = def.strText;
      if (text.empty()) {
        ErrorBoxF("ステージファイル %s が不正です。\nステージファイルとして認識できません。", "");
        next(save.m_nPart, {});
        break;
      }
      const std::size_t dot = text.rfind('.');
      if (dot != std::string::npos) text.resize(dot);
      text += '.';
      next(save.m_nPart, text);
      break;
    }
    default:
      break;
  }
  if (p(2) != 0) {
    save.m_nMapX = OnMap(p(3), WorldMap.nWidth);
    save.m_nMapY = OnMap(p(4), WorldMap.nHeight);
    save.m_nMapDir = 0;
  }
  if (p(5) != 0) {
    save.m_bNextStart = 1;
    save.m_nNextX = p(6);
    save.m_nNextY = p(7);
    save.m_nNextDir = p(8) == 2 ? chara.Facing() : p(8);
  } else {
    save.m_bNextStart = 0;
  }
  return 1;
}

int CmdGameWait(cFlowActor&, cEdCommand& def) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr || world->Quitting()) return 0;
  const int frames = static_cast<int>(static_cast<std::int64_t>(CommandParam(def, 0)) * 6);
  world->AddWaitMessage(frames);
  world->SetModalDisplay(0, 0, frames, 0);
  world->RunModalDisplay();
  return 0;
}

int CmdBgm(cFlowActor&, cEdCommand& def) {
  if (cFlowWorld* world = FlowWorld()) world->RequestBgm(CommandParam(def, 0), CommandParam(def, 1));
  return 0;
}
