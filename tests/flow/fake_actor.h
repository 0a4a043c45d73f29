#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/ed_flow.h"
#include "gfx/anime_player.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_world_seam.h"

namespace flowtest {

// A character as the flow engine sees it, recording what the engine asks of it.
class FakeActor : public cFlowActor {
 public:
  FakeActor() { flows_.ResetSwitches(); }

  cFlowSet& FlowState() override { return flows_; }
  cVector<cEdFlow>& FlowDefs() override { return defs; }
  int SubSteps() const override { return b; }
  int Clone() const override { return clone; }
  int PlacedFacing() const override { return facing; }
  int Facing() const override { return facingNow; }
  int InputIndex() const override { return 0; }
  bool CheckFlowConditions(cFlow&, const cEdFlow&) override { return conditionsHold; }
  std::int32_t StatusFlag(int selector) const override { return selector >= 1 && selector <= 6 ? flags[selector] : 0; }
  bool Flying() const override { return flying; }
  bool Riding() const override { return riding; }
  bool InJump() const override { return jumping; }
  bool Falling() const override { return falling; }
  bool InsideScreen() const override { return onScreen; }
  void RefreshScreenRect() override { ++refreshes; }
  // A box on a line: the subject's [start, start + size) against the asked range round ours.
  bool SubjectInRange(cFlowActor& subject, bool vertical, int back, int front, bool wholeSpan) override;
  void BoxCentre(double& cx, double& cy) const override {
    cx = x;
    cy = y;
  }
  bool IsHero() const override { return hero; }
  bool Vanished() const override { return vanished; }
  std::int64_t Hp() const override { return hp; }
  double JumpSpeed(int halfBlocks) const override { return -0.5 * halfBlocks; }
  int JumpApexTime(int halfBlocks) const override { return halfBlocks + 1; }
  void RemoveAnimes(int key) override { removedKeys.push_back(key); }
  void PauseAnimes(int key) override { pausedKeys.push_back(key); }
  void ResumeAnimes(int key) override { resumedKeys.push_back(key); }
  void ClearAnimes() override { animesCleared = true; }
  void StartLeadIn(const FlowLeadIn& leadIn, int key) override { leadIns.push_back({leadIn, key}); }
  int AnimeSet() const override { return animeSet; }
  void StoreAnimeSet(int set) override { animeSet = set; }
  cAnimePlayer& MotionPlayer() override { return motions; }
  void RunDeferredFlowChanges() override { ++deferredRuns; }
  FieldRef StatusField(int index, int variable) override;
  void StatusChanged(int index) override { changed.push_back(index); }
  cFlowActor* Target() override { return target; }
  bool IsPlayerOperated() const override { return playerOperated; }
  bool IsInvincible() const override { return invincible; }
  void ChangeHp(std::int64_t delta, bool forced, int gauge) override;
  void ChangeSp(std::int64_t delta, int gauge) override;
  void StartHpGauge(std::int64_t change) override { hpGauges.push_back(change); }
  void StartSpGauge(std::int64_t change) override { spGauges.push_back(change); }
  double& Speed(int axis) override { return speed[axis & 1]; }
  double& Inertia(int axis) override { return inertia[axis & 1]; }
  double& KnockBack(int axis) override { return knockBack[axis & 1]; }
  void SetTurning(int axis, bool on) override { turning[axis & 1] = on; }
  void ClearStepMoves() override { ++stepMoveClears; }
  void HoldStill() override { heldStill = true; }
  void ShowMoving() override { ++movingShown; }
  void Turn(int to) override { facingNow = to; }
  bool WallHit() const override { return wallHit; }
  void ClearWallHit() override { wallHit = false; }
  int LastBlockSide() const override { return wallSide; }
  bool RiddenShift(double& shift) override {
    shift = riddenShift;
    return ridesChara;
  }
  void SolidUnderFeet(bool& left, bool& right) override {
    left = solidLeft;
    right = solidRight;
  }
  FlowScreenRect ScreenRect() override { return rect; }
  void PlacedPosition(double& px, double& py) const override {
    px = placedX;
    py = placedY;
  }
  bool Active() const override { return active; }
  bool OnScreen() const override { return onScreen; }
  // The aim is the box centre and the command's offsets; an approach heads straight there.
  void AimPoint(const cFlowCmd& command, double& px, double& py) override {
    px = x + command.nTargetX;
    py = y + command.nTargetY;
  }
  void Approach(cFlowCmd& command, int axes, bool stopOnArrival, double px, double py) override;
  double ApproachVX(const cFlowCmd& command, double px) override {
    return px > x ? command.dSpeed : px < x ? -command.dSpeed : 0;
  }
  double WaveStep(double amplitude, double& phase, double phaseStep, double startAngle) override;
  void StepJump(cFlowCmd& command, const cEdCommand& def) override;
  void Fire(const cEdShot& record, int firstKey) override { shots.push_back({record.nTrajectory, firstKey}); }
  void Summon(int kind, const cEdShot& record, int firstKey) override {
    summons.push_back({kind, record.nSummonIndex, firstKey});
  }
  void Disappear() override {
    if (playerOperated) {
      hp = 0;
    } else {
      vanished = true;
    }
  }
  void SetStatusFlag(int status, std::int32_t value) override { flags[status % 7] = value; }
  void ChangeGraphic(int kind, int picture, int offset) override { graphic = {kind, picture, offset}; }
  void StartAnime(int anime, int key) override { animes.push_back({anime, key}); }
  void StartCharaEffect(int effect, int mode, int repeat) override { charaEffects.push_back({effect, mode, repeat}); }
  void Warp(const FlowWarp& warp) override { warps.push_back(warp); }
  void Retarget(cFlowActor* to) override { target = to; ++retargets; }
  void MakeSword(const cEdShot& record, std::int32_t width, std::int32_t height) override {
    swords.push_back({record.nTrajectory, width, height});
  }

  cVector<cEdFlow> defs;
  int b = 1;
  int clone = 0;
  int facing = 0;
  int facingNow = 1;
  std::int32_t flags[7] = {};
  bool flying = false, riding = false, jumping = false, falling = false, onScreen = true;
  int refreshes = 0;
  double x = 0, y = 0;  // the box's centre; its size is 32 on both axes
  bool conditionsHold = true;
  bool hero = false;
  bool vanished = false;
  std::int32_t hp = 10;
  // The statuses, at the widths the game keeps them in.
  std::int32_t vars[4] = {};
  std::int32_t sp = 0, maxHp = 10, maxSp = 0, power = 0, defence = 0, scoreValue = 0;
  std::int8_t charaId = 0, z = 0, sight = 0, impact = 0, impactResist = 0;
  std::int16_t mark = 0, stopEase = 0;
  cFlowActor* target = nullptr;
  bool playerOperated = false;
  bool invincible = false;
  std::vector<int> changed;
  std::vector<std::pair<std::int64_t, int>> hpChanges;  // (delta, gauge)
  std::vector<std::int64_t> hpGauges, spGauges;
  struct StartedLeadIn {
    FlowLeadIn leadIn;
    int key;
  };
  std::vector<StartedLeadIn> leadIns;
  std::vector<int> removedKeys, pausedKeys, resumedKeys;
  bool animesCleared = false;
  int deferredRuns = 0;
  int animeSet = 0;
  cAnimePlayer motions;
  // Motion.
  double speed[2] = {}, inertia[2] = {}, knockBack[2] = {};
  bool turning[2] = {true, true};
  int stepMoveClears = 0, movingShown = 0;
  bool heldStill = false;
  bool wallHit = false;
  int wallSide = -1;
  bool ridesChara = false;
  double riddenShift = 0;
  bool solidLeft = true, solidRight = true;
  FlowScreenRect rect;
  double placedX = 0, placedY = 0;
  bool active = true;
  struct ApproachCall {
    int axes;
    bool stop;
    double x, y;
  };
  std::vector<ApproachCall> approaches;
  struct JumpCall {
    int counter, started, kind;
  };
  std::vector<JumpCall> jumps;
  bool landsAfterJump = false;
  struct WaveCall {
    double amplitude, phase, step, start;
  };
  std::vector<WaveCall> waves;  // the next jump step ends the command
  struct ShotCall {
    int record, firstKey;
  };
  std::vector<ShotCall> shots;
  struct SwordCall {
    int type, width, height;
  };
  std::vector<SwordCall> swords;
  struct SummonCall {
    int kind, index, firstKey;
  };
  std::vector<SummonCall> summons;
  std::vector<int> graphic;
  std::vector<std::pair<int, int>> animes;  // (animation, key)
  std::vector<std::vector<int>> charaEffects;
  std::vector<FlowWarp> warps;
  int retargets = 0;

 private:
  cFlowSet flows_;
};

// The play scene as the flow engine sees it.
class FakeWorld : public cFlowWorld {
 public:
  FakeWorld() {
    common.assign(8, 0);
    stage.assign(8, 0);
    SetFlowWorld(this);
  }
  ~FakeWorld() override { SetFlowWorld(nullptr); }
  FieldRef SystemStatus(int index) override;
  bool HasTimeLimit() const override { return timeLimit; }
  cFlowActor* Hero() override { return hero; }
  bool UnlimitedLives() const override { return lives == 999999; }
  int AutoScrollSwitch(int axis) const override { return axis == 0 ? scrollOnX : scrollOnY; }
  cVector<std::int32_t>& CommonVars() override { return common; }
  cVector<std::int32_t>& StageVars() override { return stage; }
  void AutoScrollChanged(int axis) override { scrollChanges.push_back(axis); }
  void RequestDefeatCheck() override { ++defeatChecks; }
  FlowScrollAxis ScrollAxis(int axis) const override { return axes[axis & 1]; }
  void PlayUserSE(int number) override { sounds.push_back(number); }
  void SetAutoScrollSwitch(int axis, int value) override { (axis == 0 ? scrollOnX : scrollOnY) = value; }
  void VanishCharas(int group, bool all, cFlowActor&) override { vanished.push_back({0, group, all ? 1 : 0}); }
  void VanishShots(int group, bool all) override { vanished.push_back({1, group, all ? 1 : 0}); }
  // Item i of palette p gives the result items[p][i], running it once more per nesting.
  int RunItem(int palette, int index) override;
  void SetLeaveRequest(int request) override { leave = request; }
  void SetBackground(int index, int mode) override { backgrounds.push_back({index, mode}); }
  void ShowMessage(const FlowMessage& message, cFlowActor&) override { messages.push_back(message); }
  bool Quitting() const override { return quitting; }
  void AddEffect(int index, double x, double y, int width, int height, int modal) override {
    effects.push_back({index, x, y, width, height, modal});
  }
  void ClearEffects() override { ++effectClears; }
  // Pictures by ID in a list; loading gives a 40 × 20 image, or fails for a file named "bad".
  int FindPicture(int id) override;
  void RemovePicture(int place) override;
  void RemoveAllPictures() override { pictures.clear(); }
  void StartScreenEffect(int index, int mode, int repeat) override { screenEffects.push_back({index, mode, repeat}); }
  void SetTint(const cVector<std::int32_t>& params) override { tints.push_back(params); }
  bool LoadPicture(int place, const std::string& file, int magnification, int& width, int& height) override;
  void AddPicture(int place, const FlowPicture& picture) override;
  cFlowActor* FindTarget(cFlowActor&, const FlowTargetSearch& search) override {
    searches.push_back(search);
    return found;
  }
  int PictureCount() const override { return static_cast<int>(pictures.size()); }
  // The modal display's states set and its runs, in order: "set k v d f", "run", "wait n".
  void SetModalDisplay(int kind, int value, int duration, int flag) override {
    modal.push_back("set " + std::to_string(kind) + " " + std::to_string(value) + " " + std::to_string(duration) + " " +
                    std::to_string(flag));
  }
  void RunModalDisplay() override { modal.push_back("run"); }
  void AddWaitMessage(int frames) override { modal.push_back("wait " + std::to_string(frames)); }
  void RequestBgm(int number, int loop) override { music.push_back({number, loop}); }
  void SetNextStage(int number, const std::string& file) override {
    nextStage = number;
    nextFile = file;
  }

  int scrollOnX = 0, scrollOnY = 0;
  std::int32_t time = 0, scrollX = 0, scrollY = 0, score = 0, lives = 3;
  bool timeLimit = true;
  cFlowActor* hero = nullptr;
  cVector<std::int32_t> common, stage;
  std::vector<int> scrollChanges;
  int defeatChecks = 0;
  FlowScrollAxis axes[2];
  std::vector<int> sounds;
  std::vector<std::vector<int>> vanished;  // (characters 0 or shots 1, group, all)
  int leave = 0;
  std::vector<std::pair<int, int>> backgrounds;
  std::vector<std::pair<int, int>> itemsRun;
  std::vector<FlowTargetSearch> searches;
  cFlowActor* found = nullptr;
  std::vector<FlowMessage> messages;
  bool quitting = false;
  struct EffectCall {
    int index;
    double x, y;
    int width, height, modal;
  };
  std::vector<EffectCall> effects;
  int effectClears = 0;
  std::vector<FlowPicture> pictures;
  std::vector<std::vector<int>> screenEffects;
  std::vector<cVector<std::int32_t>> tints;
  std::vector<std::string> loaded;
  std::vector<std::string> modal;
  std::vector<std::pair<int, int>> music;
  int nextStage = -1;
  std::string nextFile = "unset";
  // What running an item does: its result, or a run of another item's commands.
  std::function<int(int palette, int index)> itemRunner;
};

// A character with one always-flow of the given commands, started and ready to be stepped
// sub-step by sub-step with RunFlowFrameStep, in a world of its own.
struct OneFlowRig {
  explicit OneFlowRig(std::initializer_list<cEdCommand> commands, int b = 1);
  cFlow& Flow() { return actor.FlowState().Flows[0]; }
  cFlowCmd& Cmd(int index = 0) { return Flow().vCmds[index]; }
  void Step(int times = 1);

  FakeWorld world;
  FakeActor actor;
};

// A command of the character set: kind, time in tenths, no-wait.
cEdCommand Command(int kind, int tenths, bool noWait = false, int anime = 0);
// A flow of a trigger with commands.
cEdFlow FlowOf(int trigger, std::initializer_list<cEdCommand> commands, int switchId = 0, int flowId = 0);
// A loop command: repeat the next `length` commands `count` times.
cEdCommand Loop(int count, int length);

}  // namespace flowtest
