#pragma once

// Tiny stages drawn in ASCII, set up and stepped by the play scene's own passes, with a flow
// link that runs scripted steps and records triggers, and a sound link that records sounds.
//
// Blocks: '#' solid, 'X' kind 2 (deadly for the player), '=' solid but passed by group 1,
// '?' solid while stage variable 1 is 0, 'S' spring, 'N' no jumping, 'F' speed change
// (150 %), '<' and '>' carried left and right (value 10). Characters: 'H' the hero, and any
// letter given in Charas (by default 'e', a computer-operated walker of group 1, and 'B', a
// block character of group 1).

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/stage_data.h"
#include "data/system_data.h"
#include "world/flow_link.h"
#include "world/scene_play.h"
#include "world/world_sound.h"

namespace worldtest {

class RecordingFlowLink : public cFlowLink {
 public:
  void FireTrigger(cCharaBase& chara, int trigger) override;
  int RunFlowFrameStep(cCharaBase& chara, int dyingOnly) override;
  bool CheckFlowCondition(const cEdCondition& condition, cCharaBase* chara) override;
  // Item workers: each kind run is recorded; an arrange command (23) adds its first parameter
  // as an entry; arranges applied are recorded as (command kind, entries).
  void ExecItemCommand(cPlayer& hero, cEdCommand& command) override;
  void ApplyArrangeList(const cVector<cVector<std::int32_t>>& entries, cEdCommand& command) override;
  int RemoveFlowsById(cCharaBase& chara, int flowId) override;  // "removes" at position 3
  int CheckKeyState(cCharaBase& /*chara*/, int /*inputIndex*/) override { return keyState; }
  void InstallCommandFlows(cCharaBase& chara, const cEdCommand& command, int position) override;

  // (object number, trigger) in firing order.
  std::vector<std::pair<int, int>> triggers;
  // Per object number: run in the character's flow step; a result of 1 ends it early.
  std::map<int, std::function<int(cCharaBase&, int dyingOnly)>> scripts;
  bool statusConditionResult = false;
  int keyState = -1;  // the jump key: -1 no key conditions, 0 released, 1 held
  std::vector<int> itemCommands;
  std::function<void(cPlayer&, cEdCommand&)> itemWorker;
  std::vector<std::pair<int, int>> arranged;
  std::vector<std::string> flowChanges;

  int Count(int number, int trigger) const;
};

class RecordingSound : public cWorldSoundLink {
 public:
  void PlaySE(int id) override { sounds.push_back(id); }
  void PlayUserSE(int number) override { userSounds.push_back(number); }
  int Count(int id) const;

  std::vector<int> sounds;
  std::vector<int> userSounds;
};

// The hero and character templates used by the default legend.
cEdChara HeroTemplate();
cEdChara WalkerTemplate();
cEdChara BlockCharaTemplate();
cEdBlock BlockFor(char c);

class WorldFixture {
 public:
  explicit WorldFixture(std::vector<std::string> rows, int hitLevel = 1, double gravity = 0.4);
  ~WorldFixture();
  WorldFixture(const WorldFixture&) = delete;
  WorldFixture& operator=(const WorldFixture&) = delete;

  // Builds the stage record from the rows and sets the field up.
  void Build(std::uint32_t seed = 1);
  // Frames of play; stops at the first frame that clears or kills, and returns its result.
  int Step(int frames = 1);

  cScenePlay& Scene() { return *scene; }
  cPlayer& Hero() { return scene->Hero(); }
  // A stage character by object number; null when it is gone.
  cChara* Chara(int number);
  // Top-left map pixel of stage block (column, row).
  static double BlockX(int column) { return (column + 10) * 32; }
  static double BlockY(int row) { return (row + 10) * 32; }

  std::vector<std::string> rows;
  cStageData stage;
  std::map<char, cEdChara> charas;
  RecordingFlowLink flows;
  RecordingSound sounds;

 private:
  std::unique_ptr<cScenePlay> scene;
  cSystemData savedSystem;
};

}  // namespace worldtest
