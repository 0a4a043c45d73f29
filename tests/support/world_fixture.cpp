#include "support/world_fixture.h"

#include <algorithm>
#include <string>

#include "data/ed_condition.h"

namespace worldtest {

void RecordingFlowLink::FireTrigger(cCharaBase& chara, int trigger) { triggers.emplace_back(chara.nNumber, trigger); }

int RecordingFlowLink::RunFlowFrameStep(cCharaBase& chara, int dyingOnly) {
  const auto it = scripts.find(chara.nNumber);
  const int r = it != scripts.end() ? it->second(chara, dyingOnly) : 0;
  // The flow engine's step 4: the changes queued while the flows ran.
  chara.ApplyQueuedFlowChanges();
  return r;
}

void RecordingFlowLink::ExecItemCommand(cPlayer& hero, cEdCommand& command) {
  itemCommands.push_back(command.nKind);
  if (command.nKind == 23) hero.ItemArrange.push_back(cVector<std::int32_t>{command.Param(0)});
  if (itemWorker) itemWorker(hero, command);
}

void RecordingFlowLink::ApplyArrangeList(const cVector<cVector<std::int32_t>>& entries, cEdCommand& command) {
  arranged.emplace_back(command.nKind, static_cast<int>(entries.size()));
}

int RecordingFlowLink::RemoveFlowsById(cCharaBase& chara, int flowId) {
  flowChanges.push_back("remove " + std::to_string(chara.nNumber) + " " + std::to_string(flowId));
  return 3;
}

void RecordingFlowLink::InstallCommandFlows(cCharaBase& chara, const cEdCommand& /*command*/, int position) {
  flowChanges.push_back("install " + std::to_string(chara.nNumber) + " " + std::to_string(position));
}

bool RecordingFlowLink::CheckFlowCondition(const cEdCondition& /*condition*/, cCharaBase* /*chara*/) {
  return statusConditionResult;
}

int RecordingFlowLink::Count(int number, int trigger) const {
  return static_cast<int>(std::count(triggers.begin(), triggers.end(), std::make_pair(number, trigger)));
}

int RecordingSound::Count(int id) const { return static_cast<int>(std::count(sounds.begin(), sounds.end(), id)); }

cEdChara HeroTemplate() {
  cEdChara c;
  c.nPicture = 1;
  c.nOperator = 0;
  c.nGroup = 0;
  c.nMaxHp = 10;
  return c;
}

cEdChara WalkerTemplate() {
  cEdChara c;
  c.nPicture = 2;
  c.nOperator = 1;
  c.nGroup = 1;
  c.nMaxHp = 10;
  return c;
}

cEdChara BlockCharaTemplate() {
  cEdChara c = WalkerTemplate();
  c.nPicture = 3;
  c.bBlockChara = 1;
  c.nFlight = 1;
  return c;
}

cEdBlock BlockFor(char c) {
  cEdBlock b;
  b.nPicture = 1;
  b.nHitKind = 1;
  switch (c) {
    case '#': break;
    case 'X': b.nHitKind = 2; break;
    case '=': b.nPassGroup = 1; break;
    case '?': {
      cEdCondition cond;
      cond.nKind = kCondStageVar;
      cond.nVarIndex = 1;
      cond.nOp = 0;
      cond.nValue = 0;
      b.conditions.push_back(cond);
      break;
    }
    case 'S': b.nBlockEffect = 1; b.nBlockEffectValue = 4; break;
    case 'N': b.nBlockEffect = 2; break;
    case 'F': b.nBlockEffect = 3; b.nBlockEffectValue = 150; break;
    case '<': b.nBlockEffect = 4; b.nBlockEffectValue = 10; break;
    case '>': b.nBlockEffect = 5; b.nBlockEffectValue = 10; break;
    default: b.nPicture = 0; b.nHitKind = 0; break;
  }
  return b;
}

WorldFixture::WorldFixture(std::vector<std::string> stageRows, int hitLevel, double gravity)
    : rows(std::move(stageRows)), savedSystem(SystemData) {
  stage.Reset();
  stage.nHitLevel = hitLevel;
  stage.dGravity = gravity;
  stage.bOnScreenHitsOnly = 0;
  charas['H'] = HeroTemplate();
  charas['e'] = WalkerTemplate();
  charas['B'] = BlockCharaTemplate();
  SetFlowLink(&flows);
  SetWorldSoundLink(&sounds);
}

WorldFixture::~WorldFixture() {
  scene.reset();
  SetFlowLink(nullptr);
  SetWorldSoundLink(nullptr);
  SystemData = savedSystem;
}

void WorldFixture::Build(std::uint32_t seed) {
  int width = 0;
  for (const std::string& r : rows) width = std::max(width, static_cast<int>(r.size()));
  stage.nWidth = width;
  stage.nHeight = static_cast<int>(rows.size());
  stage.nMapPixelWidth = width * 32;
  stage.nMapPixelHeight = stage.nHeight * 32;
  stage.nLimitRight = width - 1;
  stage.nLimitBottom = stage.nHeight - 1;
  stage.SetHitLevel(stage.nHitLevel);
  stage.Blocks.clear();
  stage.Charas.clear();
  // The hero first: set-up looks for the first placement the player operates.
  for (int pass = 0; pass < 2; ++pass) {
    for (int y = 0; y < stage.nHeight; ++y) {
      for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
        const char c = rows[y][x];
        const auto it = charas.find(c);
        if (it != charas.end()) {
          if ((c == 'H') != (pass == 0)) continue;
          cEdChara placement = it->second;
          placement.x = static_cast<std::int16_t>(x);
          placement.y = static_cast<std::int16_t>(y);
          stage.Charas.push_back(placement);
        } else if (pass == 0) {
          cEdBlock b = BlockFor(c);
          if (b.nPicture == 0) continue;
          b.x = static_cast<std::int16_t>(x);
          b.y = static_cast<std::int16_t>(y);
          stage.Blocks.push_back(b);
        }
      }
    }
  }
  scene = std::make_unique<cScenePlay>(stage);
  scene->SetupField(seed);
}

int WorldFixture::Step(int frames) {
  for (int i = 0; i < frames; ++i) {
    if (const int r = scene->StepPlayFrame(); r != 0) return r;
  }
  return 0;
}

cChara* WorldFixture::Chara(int number) {
  for (cChara& c : scene->CharaList) {
    if (c.nNumber == number) return &c;
  }
  return nullptr;
}

}  // namespace worldtest
