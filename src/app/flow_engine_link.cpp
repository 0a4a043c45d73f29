#include "app/flow_engine_link.h"

#include "data/ed_condition.h"
#include "data/ed_flow.h"
#include "flow/anime_set.h"
#include "flow/arrange.h"
#include "flow/chara_conditions.h"
#include "flow/command_workers.h"
#include "flow/flow_cursor.h"
#include "flow/flow_install.h"
#include "flow/flow_run.h"
#include "flow/flow_world_seam.h"
#include "flow/key_conditions.h"
#include "flow/status_ops.h"
#include "flow/triggers.h"
#include "input/input.h"
#include "world/chara_base.h"
#include "world/flow_link.h"
#include "world/player.h"
#include "world/scene_play.h"
#include "world/world_sound.h"
#include "world/world_sound.h"

namespace {

constexpr int kConditionStatus = 4;
constexpr int kConditionStatus2 = 5;
constexpr int kConditionStatus3 = 6;
constexpr int kConditionDistance = 7;

class cEngineLink : public cFlowLink {
 public:
  void FireTrigger(cCharaBase& chara, int trigger) override { ::FireTrigger(chara, trigger); }
  void InstallFlows(cCharaBase& chara) override { ::InstallFlows(chara, chara.Def.flows, 0, 0); }
  void SetAnimeSet(cCharaBase& chara, int set, int force) override { ::SetAnimeSet(chara, set, force); }
  void ExecItemCommand(cPlayer& hero, cEdCommand& command) override { RunItemWorker(hero, command); }
  void ApplyArrangeList(const cVector<cVector<std::int32_t>>& entries, cEdCommand& command) override {
    cScenePlay* s = PlaySceneGlobal;
    if (s == nullptr || s->Player.empty()) return;
    for (const cVector<std::int32_t>& entry : entries) ApplyArrange(command, entry, s->Hero());
  }
  bool CheckFlowCondition(const cEdCondition& condition, cCharaBase* chara) override {
    if (chara == nullptr) return false;
    switch (condition.nKind) {
      case kConditionStatus: return CheckStatusCondition(condition, *chara);
      case kConditionStatus2: return CheckStatusCondition2(*chara, condition);
      case kConditionStatus3: return CheckStatusCondition3(*chara, condition);
      case kConditionDistance: return CheckDistanceCondition(*chara, condition);
      default: return false;
    }
  }
  int RunFlowFrameStep(cCharaBase& chara, int dyingOnly) override { return ::RunFlowFrameStep(chara, dyingOnly); }
  void ResetFlowFrameFlags(cCharaBase& chara) override { ::ResetFlowFrameFlags(chara); }
  void UnrollLoops(cVector<cEdCommand>& commands) override { ::UnrollLoops(commands); }
  int RemoveFlowsById(cCharaBase& chara, int flowId) override { return ::RemoveFlowsById(chara, flowId); }
  void InstallCommandFlows(cCharaBase& chara, const cEdCommand& command, int position) override {
    cVector<cEdFlow> flows = command.flows;
    ::InstallFlows(chara, flows, 1, position);
  }
  int CheckKeyState(cCharaBase& chara, int inputIndex) override {
    const cFlow* flow = CurrentFlow().flow;
    if (flow == nullptr) return -1;
    const cEdFlow& def = chara.Def.flows[flow->nDefIndex];
    if (def.keyConditions.empty()) return -1;
    return ::CheckKeyState(PlayerInputs[inputIndex], def.keyConditions[static_cast<int>(def.keyConditions.size()) - 1]) ? 1 : 0;
  }
};

// The play scene's values as the engine's system statuses: the time left, the auto-scroll
// speeds, and the progress record's stage score and lives.
class cSceneWorld : public cFlowWorld {
 public:
  FieldRef SystemStatus(int index) override {
    cScenePlay* s = PlaySceneGlobal;
    if (s == nullptr) return {};
    switch (index) {
      case 0: return {&s->nTimeLeft, 32};
      case 1: return {&s->Stage.nAutoScrollX, 32};
      case 2: return {&s->Stage.nAutoScrollY, 32};
      case 3: return {&SaveDataCur.m_nScore, 32};
      case 4: return {&SaveDataCur.m_nLives, 32};
      default: return {};
    }
  }
  bool HasTimeLimit() const override { return PlaySceneGlobal != nullptr && PlaySceneGlobal->bNoTimeLimit == 0; }
  cFlowActor* Hero() override {
    cScenePlay* s = PlaySceneGlobal;
    return s != nullptr && !s->Player.empty() ? &s->Hero() : nullptr;
  }
  bool UnlimitedLives() const override { return SaveDataCur.m_nLives == kUnlimitedLives; }
  int AutoScrollSwitch(int axis) const override {
    const cScenePlay* s = PlaySceneGlobal;
    if (s == nullptr) return 0;
    return (axis == 0 ? s->Stage.nScrollModeX : s->Stage.nScrollModeY) == 1 ? 1 : 0;
  }
  cVector<std::int32_t>& CommonVars() override { return PlaySceneGlobal != nullptr ? PlaySceneGlobal->CommonVars : empty_; }
  cVector<std::int32_t>& StageVars() override { return PlaySceneGlobal != nullptr ? PlaySceneGlobal->StageVars : empty_; }
  void AutoScrollChanged(int axis) override {
    cScenePlay* s = PlaySceneGlobal;
    if (s == nullptr) return;
    if (axis == 0) {
      s->ScrollX.SetAutoScroll(s->Stage.nScrollModeX == 1 ? 1 : 0, s->Stage.nAutoScrollX, s->Units.dSubSteps);
    } else {
      s->ScrollY.SetAutoScroll(s->Stage.nScrollModeY == 1 ? 1 : 0, s->Stage.nAutoScrollY, s->Units.dSubSteps);
    }
  }
  void RequestDefeatCheck() override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->nKillFlag = 1;
  }
  FlowScrollAxis ScrollAxis(int axis) const override {
    FlowScrollAxis a;
    const cScenePlay* s = PlaySceneGlobal;
    if (s == nullptr) return a;
    const cScrollAxis& from = axis == 0 ? s->ScrollX : s->ScrollY;
    a.autoSpeed = from.nAutoOn != 0 ? from.dAutoSpeed : 0.0;
    a.atEdge = from.bAtEdge != 0;
    a.position = from.dPos;
    a.margin = from.nMargin;
    a.stageDots = from.nMapPixels;
    return a;
  }
  void PlayUserSE(int number) override { WorldSound().PlayUserSE(number); }
  void SetAutoScrollSwitch(int axis, int value) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->SetAutoScrollSwitch(axis, value);
  }
  void VanishCharas(int group, bool all, cFlowActor& executing) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->VanishCharas(group, all, dynamic_cast<cCharaBase*>(&executing));
  }
  void VanishShots(int group, bool all) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->VanishShots(group, all);
  }
  int RunItem(int palette, int index) override {
    return PlaySceneGlobal != nullptr ? PlaySceneGlobal->RunItem(palette, index) : 0;
  }
  void SetLeaveRequest(int request) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->nStageEnd = request;
  }
  void ShowMessage(const FlowMessage& message, cFlowActor& executing) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->ShowMessage(message, dynamic_cast<cCharaBase*>(&executing));
  }
  void AddEffect(int index, double x, double y, int width, int height, int modal) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->EffectList.emplace_back().Init(index, x, y, width, height, modal);
  }
  void ClearEffects() override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->EffectList.clear();
  }
  int FindPicture(int id) override { return PlaySceneGlobal != nullptr ? PlaySceneGlobal->FindPicture(id) : -1; }
  void RemovePicture(int place) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->RemovePicture(place);
  }
  void RemoveAllPictures() override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->RemoveAllPictures();
  }
  bool LoadPicture(int place, const std::string& file, int magnification, int& width, int& height) override {
    return PlaySceneGlobal != nullptr && PlaySceneGlobal->LoadPicture(place, file, magnification, width, height);
  }
  void AddPicture(int place, const FlowPicture& picture) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->AddPicture(place, picture);
  }
  void StartScreenEffect(int index, int mode, int repeat) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->StartScreenEffect(index, mode, repeat);
  }
  void SetTint(const cVector<std::int32_t>& params) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->Tint.Set(params);
  }
  // Until the play scene keeps a quit flag, it is never leaving while flows run.
  bool Quitting() const override { return PlaySceneQuit.load() != 0; }
  void SetModalDisplay(int kind, int value, int duration, int flag) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->SetModalDisplay(kind, value, duration, flag);
  }
  void RunModalDisplay() override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->RunModalDisplay();
  }
  void AddWaitMessage(int frames) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->AddWaitMessage(frames);
  }
  void RequestBgm(int number, int loop) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->RequestBgm(number, loop);
  }
  void SetNextStage(int number, const std::string& file) override {
    if (PlaySceneGlobal == nullptr) return;
    PlaySceneGlobal->nNextStageNumber = number;
    PlaySceneGlobal->strNextStageFile = file;
  }
  int PictureCount() const override {
    return PlaySceneGlobal != nullptr ? static_cast<int>(PlaySceneGlobal->PictureList.size()) : 0;
  }
  cFlowActor* FindTarget(cFlowActor& searcher, const FlowTargetSearch& search) override {
    auto* chara = dynamic_cast<cCharaBase*>(&searcher);
    return PlaySceneGlobal != nullptr && chara != nullptr ? PlaySceneGlobal->FindTarget(*chara, search) : nullptr;
  }
  void SetBackground(int index, int mode) override {
    if (PlaySceneGlobal != nullptr) PlaySceneGlobal->SetBackground(index, mode);
  }

 private:
  cVector<std::int32_t> empty_;
};

}  // namespace

cFlowLink& FlowEngineLink() {
  static cEngineLink link;
  return link;
}

cFlowWorld& PlaySceneFlowWorld() {
  static cSceneWorld world;
  return world;
}
