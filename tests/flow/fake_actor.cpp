#include "fake_actor.h"

#include <algorithm>
#include <cmath>

#include "data/command_tables.h"
#include "flow/flow_cursor.h"
#include "flow/flow_install.h"
#include "flow/flow_run.h"

namespace flowtest {

FieldRef FakeActor::StatusField(int index, int variable) {
  switch (index) {
    case kStatusVar: return variable >= 0 && variable < 4 ? FieldRef{&vars[variable], 32} : FieldRef{};
    case kStatusHp: return {&hp, 32};
    case kStatusSp: return {&sp, 32};
    case kStatusMaxHp: return {&maxHp, 32};
    case kStatusMaxSp: return {&maxSp, 32};
    case kStatusCharaId: return {&charaId, 8};
    case kStatusZ: return {&z, 8};
    case kStatusMark: return {&mark, 16};
    case kStatusSight: return {&sight, 8};
    case kStatusPower: return {&power, 32};
    case kStatusImpact: return {&impact, 8};
    case kStatusDefence: return {&defence, 32};
    case kStatusImpactResist: return {&impactResist, 8};
    case kStatusStopEase: return {&stopEase, 16};
    case kStatusScoreValue: return {&scoreValue, 32};
    default: return {};
  }
}

void FakeActor::ChangeHp(std::int64_t delta, bool, int gauge) {
  hpChanges.push_back({delta, gauge});
  hp = static_cast<std::int32_t>(std::clamp<std::int64_t>(hp + delta, 0, maxHp));
}

void FakeActor::ChangeSp(std::int64_t delta, int) {
  sp = static_cast<std::int32_t>(std::clamp<std::int64_t>(sp + delta, 0, maxSp));
}

bool FakeActor::SubjectInRange(cFlowActor& subject, bool vertical, int back, int front, bool wholeSpan) {
  const auto& other = static_cast<const FakeActor&>(subject);
  const double own = (vertical ? y : x) - 16;
  const double start = (vertical ? other.y : other.x) - 16;
  // The range as the world builds it: round the centre, or the whole box with both extents.
  double lo = own + 16, hi = own + 16;
  if (back != 0) lo = own - back;
  if (front != 0) hi = own + 32 + front;
  if (back == 0 && front == 0 && wholeSpan) {
    lo = own;
    hi = own + 32;
  }
  return lo <= start + 31 && start <= hi;
}

void FakeActor::Approach(cFlowCmd& command, int axes, bool stopOnArrival, double px, double py) {
  approaches.push_back({axes, stopOnArrival, px, py});
  const double dx = axes == 2 ? 0 : px - x;
  const double dy = axes == 1 ? 0 : py - y;
  const double length = std::sqrt(dx * dx + dy * dy);
  command.dVX = length == 0 ? 0 : dx / length * command.dSpeed;
  command.dVY = length == 0 ? 0 : dy / length * command.dSpeed;
  if (axes != 2) command.nFacing = dx < 0 ? 1 : dx > 0 ? 2 : 0;
}

double FakeActor::WaveStep(double amplitude, double& phase, double phaseStep, double startAngle) {
  waves.push_back({amplitude, phase, phaseStep, startAngle});
  phase += phaseStep;
  return 1.0;
}

void FakeActor::StepJump(cFlowCmd& command, const cEdCommand& def) {
  jumps.push_back({command.nCounter, command.bStarted, def.params.size() > 0 ? def.params[0] : -1});
  command.bStarted = 1;
  if (landsAfterJump) command.nLeft = 1;
}

int FakeWorld::RunItem(int palette, int index) {
  itemsRun.push_back({palette, index});
  return itemRunner ? itemRunner(palette, index) : 0;
}

int FakeWorld::FindPicture(int id) {
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (pictures[i].hasId != 0 && pictures[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

void FakeWorld::RemovePicture(int place) { pictures.erase(pictures.begin() + place); }

bool FakeWorld::LoadPicture(int, const std::string& file, int magnification, int& width, int& height) {
  loaded.push_back(file);
  if (file == "bad") return false;
  width = 40 * magnification / 100;
  height = 20 * magnification / 100;
  return true;
}

void FakeWorld::AddPicture(int place, const FlowPicture& picture) {
  pictures.insert(place < 0 ? pictures.end() : pictures.begin() + place, picture);
}

FieldRef FakeWorld::SystemStatus(int index) {
  switch (index) {
    case 0: return {&time, 32};
    case 1: return {&scrollX, 32};
    case 2: return {&scrollY, 32};
    case 3: return {&score, 32};
    case 4: return {&lives, 32};
    default: return {};
  }
}

OneFlowRig::OneFlowRig(std::initializer_list<cEdCommand> commands, int b) {
  actor.b = b;
  actor.defs.push_back(FlowOf(0, commands));
  InstallFlows(actor, actor.defs, 0, 0);
  const FlowCursorScope scope;
  CurrentFlow().chara = &actor;
  Flow().Start();
}

void OneFlowRig::Step(int times) {
  for (int i = 0; i < times; ++i) RunFlowFrameStep(actor, 0);
}

cEdCommand Command(int kind, int tenths, bool noWait, int anime) {
  cEdCommand c;
  c.nSet = kCharaCommandSet;
  c.nKind = static_cast<std::uint8_t>(kind);
  c.nTime = static_cast<std::int16_t>(tenths);
  c.bNoWait = noWait ? 1 : 0;
  c.nAnime = static_cast<std::int16_t>(anime);
  return c;
}

cEdFlow FlowOf(int trigger, std::initializer_list<cEdCommand> commands, int switchId, int flowId) {
  cEdFlow flow;
  flow.nTrigger = static_cast<std::uint8_t>(trigger);
  flow.nSwitch = static_cast<std::uint8_t>(switchId);
  flow.nFlowId = static_cast<std::uint8_t>(flowId);
  for (const cEdCommand& c : commands) flow.commands.push_back(c);
  return flow;
}

cEdCommand Loop(int count, int length) {
  cEdCommand c = Command(kCmdLoop, 0);
  c.params = {count, length};
  return c;
}

}  // namespace flowtest
