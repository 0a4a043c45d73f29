// The commands whose work is done in one call, shared by the characters' flows and the items'
// command lists.
#include "flow/command_workers.h"

#include "data/command_tables.h"
#include "data/ed_command.h"
#include "flow/arrange.h"
#include "flow/anime_set.h"
#include "flow/effect_command.h"
#include "flow/expression.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_cursor.h"
#include "flow/flow_world_seam.h"
#include "flow/message_command.h"
#include "flow/picture_command.h"
#include "flow/stage_commands.h"
#include "flow/status_ops.h"
#include "flow/warp_target_commands.h"

std::int32_t CommandParam(const cEdCommand& def, int n) {
  if (def.params.empty()) return 0;
  return def.params[n];
}

namespace {

void DisappearFrom(cFlowActor& executing, cFlowActor& who, cFlowWorld& world) {
  who.Disappear();
  if (&who != &executing) world.RequestDefeatCheck();
}

// Items that take items stop this deep rather than overflow the stack.
constexpr int kMaxItemNesting = 8;
int g_itemDepth = 0;

int RunStatusOp(cFlowActor& chara, cEdCommand& def) {
  CmdStatusOp(chara, def);
  return 0;
}

int RunCode(cFlowActor& chara, cEdCommand& def) {
  CmdExecCode(chara, def);
  return 0;
}

}  // namespace

int CmdStatusOp2(cFlowActor& chara, cEdCommand& def) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr) return 0;
  const int object = CommandParam(def, 0);
  const int status = CommandParam(def, 1);
  const std::int32_t value = CommandParam(def, 2);
  if (object == 2) {
    if (status == 0 || status == 1) world->SetAutoScrollSwitch(status, value);
    return 0;
  }
  cFlowActor* who = object == 1 ? chara.Target() : &chara;
  if (who == nullptr) return 0;
  if (status == 0) {
    DisappearFrom(chara, *who, *world);
  } else if (status >= 1 && status <= 6) {
    if (status == 3 && !who->IsPlayerOperated()) return 0;
    who->SetStatusFlag(status, value);
  }
  return 0;
}

int CmdVanish(cFlowActor& chara, cEdCommand& def) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr) return 0;
  const int what = CommandParam(def, 0);
  const int group = CommandParam(def, 1);
  const bool all = CommandParam(def, 2) == 1;
  if (group < 0 || group > 7) return 0;
  if (what == 0) world->VanishCharas(group, all, chara);
  if (what == 1) world->VanishShots(group, all);
  return 0;
}

int CmdGetItem(cFlowActor&, cEdCommand& def) {
  cFlowWorld* world = FlowWorld();
  if (world == nullptr) return 0;
  const int palette = CommandParam(def, 0);
  if (palette != 0 && palette != 1) return 0;
  if (g_itemDepth >= kMaxItemNesting) return 0;
  ++g_itemDepth;
  const int result = world->RunItem(palette, CommandParam(def, 1));
  --g_itemDepth;
  world->SetLeaveRequest(result);
  return result;
}

int CmdChangeGraphic(cFlowActor& chara, cEdCommand& def) {
  chara.ChangeGraphic(static_cast<std::uint8_t>(CommandParam(def, 0)), static_cast<std::uint16_t>(CommandParam(def, 1)),
                      static_cast<std::uint16_t>(CommandParam(def, 2)));
  return 0;
}

int CmdChangeAnimeSet(cFlowActor& chara, cEdCommand& def) {
  SetAnimeSet(chara, static_cast<std::uint16_t>(CommandParam(def, 0)), 0);
  return 0;
}

int CmdAnimation(cFlowActor& chara, cEdCommand& def) {
  const cFlow* flow = CurrentFlow().flow;
  chara.StartAnime(CommandParam(def, 0), flow != nullptr ? flow->nAnimeKey : -1);
  return 0;
}

int CmdCharaEffect(cFlowActor& chara, cEdCommand& def) {
  chara.StartCharaEffect(static_cast<std::uint16_t>(CommandParam(def, 0)), CommandParam(def, 1), CommandParam(def, 2));
  return 0;
}

int CmdScreenEffect(cFlowActor&, cEdCommand& def) {
  if (cFlowWorld* world = FlowWorld()) {
    world->StartScreenEffect(static_cast<std::uint16_t>(CommandParam(def, 0)), CommandParam(def, 1), CommandParam(def, 2));
  }
  return 0;
}

int CmdScreenColor(cFlowActor&, cEdCommand& def) {
  if (cFlowWorld* world = FlowWorld()) world->SetTint(def.params);
  return 0;
}

int CmdBackground(cFlowActor&, cEdCommand& def) {
  if (cFlowWorld* world = FlowWorld()) world->SetBackground(CommandParam(def, 0) - 1, CommandParam(def, 1));
  return 0;
}

int CmdSoundEffect(cFlowActor& chara, cEdCommand& def) {
  if (def.bSoundInViewOnly != 0 && !chara.OnScreen()) return 0;
  if (cFlowWorld* world = FlowWorld()) world->PlayUserSE(static_cast<std::int16_t>(CommandParam(def, 0)));
  return 0;
}

CommandWorker WorkerOf(int kind) {
  switch (kind) {
    case kCmdStageClear: return CmdStageClear;
    case kCmdGameWait: return CmdGameWait;
    case kCmdPlayBgm: return CmdBgm;
    case kCmdMessage: return CmdMessage;
    case kCmdWarp: return CmdWarp;
    case kCmdSetTarget: return CmdSetTarget;
    case kCmdStatusOp: return RunStatusOp;
    case kCmdStatusOp2: return CmdStatusOp2;
    case kCmdVanish: return CmdVanish;
    case kCmdTakeItem: return CmdGetItem;
    case kCmdChangeGraphic: return CmdChangeGraphic;
    case kCmdChangeAnimeSet: return CmdChangeAnimeSet;
    case kCmdRunAnime: return CmdAnimation;
    case kCmdRunEffect: return CmdEffect;
    case kCmdRunCharaEffect: return CmdCharaEffect;
    case kCmdShowPicture: return CmdPicture;
    case kCmdRunScrEffect: return CmdScreenEffect;
    case kCmdScreenColour: return CmdScreenColor;
    case kCmdChangeBackground: return CmdBackground;
    case kCmdPlaySound: return CmdSoundEffect;
    case kCmdRunCode: return RunCode;
    case kCmdArrange: return CmdArrange;
    default: return nullptr;
  }
}

int RunItemWorker(cFlowActor& hero, cEdCommand& def) {
  const int kind = def.CharaKind();
  if (kind < kCmdStageClear || kind >= kCharaCommandKinds) return 0;
  CommandWorker worker = WorkerOf(kind);
  return worker != nullptr ? worker(hero, def) : 0;
}
