// A character whose flows come from arbitrary bytes (every trigger, start condition, key
// sequence and command kind, with movement and shot records of any values, loops and code),
// installed and run for 60 frames (3 for lists unrolled past 4096 commands) at 1 to 4 sub-steps while every trigger fires and the keys
// change. Whatever the bytes, the run ends without a crash, a hang or undefined behaviour.

#include <cstddef>
#include <cstdint>
#include <string>

#include <boost/make_shared.hpp>

#include "fake_actor.h"
#include "flow/arrange.h"
#include "flow/expression.h"
#include "flow/flow_install.h"
#include "flow/flow_run.h"
#include "flow/triggers.h"
#include "input/input.h"

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  int Next() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::int16_t Short() { return static_cast<std::int16_t>(Next() | (Next() << 8)); }
  std::int32_t Int() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(Short()) << 16 | static_cast<std::uint16_t>(Short())); }
  bool Empty() const { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void Quiet(const std::string&) {}

cEdMove MoveOf(Bytes& in) {
  cEdMove m;
  m.nSpecMode = static_cast<std::uint8_t>(in.Next() % 3);
  m.nDirection = static_cast<std::uint8_t>(in.Next() % 16);
  m.nAngle = in.Short();
  m.nAngleStep = in.Short();
  m.bMirrorAngle = static_cast<std::uint8_t>(in.Next() & 1);
  const int bits = in.Next();
  m.bAxisX = bits & 1;
  m.bAxisY = (bits >> 1) & 1;
  m.bNoMoveX = (bits >> 2) & 1;
  m.bNoMoveY = (bits >> 3) & 1;
  m.bTimeToTarget = (bits >> 4) & 1;
  m.bStopAtTarget = (bits >> 5) & 1;
  m.bReverseOnTurn = (bits >> 6) & 1;
  m.bInertia = (bits >> 7) & 1;
  m.nTargetX = in.Short();
  m.nTargetXDots = in.Short();
  m.nTargetY = in.Short();
  m.nTargetYDots = in.Short();
  m.nCoordMode = static_cast<std::uint8_t>(in.Next() % 5);
  m.nTimingMode = static_cast<std::uint8_t>(in.Next() % 4);
  m.nSpeed = in.Short();
  m.nDistance = in.Short();
  m.nDistUnit = static_cast<std::uint8_t>(in.Next() & 1);
  m.nRadius = in.Short();
  m.nMaxSpeed = in.Short();
  m.dTurnFactor = in.Next() / 16.0;
  m.bKeepMotion = static_cast<std::uint8_t>(in.Next() & 1);
  return m;
}

cEdCommand CommandOf(Bytes& in, int depth);

cEdFlow FlowOf(Bytes& in, int depth) {
  cEdFlow f;
  f.nTrigger = static_cast<std::uint8_t>(in.Next() % 21);
  f.nSwitch = static_cast<std::uint8_t>(in.Next() % 28);
  f.nFlowId = static_cast<std::uint8_t>(in.Next() % 28);
  f.nRule = static_cast<std::uint8_t>(in.Next() % 3);
  f.nKeyGap = static_cast<std::uint8_t>(in.Next());
  f.bKeyContinuous = static_cast<std::uint8_t>(in.Next() & 1);
  for (int n = in.Next() % 3; n > 0; --n) {
    cEdCondition c;
    c.nKind = static_cast<std::uint8_t>(4 + in.Next() % 4);
    c.nLeftSource = static_cast<std::uint8_t>(in.Next() % 3);
    c.nLeftTarget = static_cast<std::uint8_t>(in.Next() % 4);
    c.nLeftStatus = static_cast<std::uint8_t>(in.Next() % 20);
    c.nVarIndex = in.Short();
    c.nRightSource = static_cast<std::uint8_t>(in.Next() % 5);
    c.nValue = in.Int();
    c.nRightIndex = in.Short();
    c.nOp = static_cast<std::uint8_t>(in.Next() % 10);
    c.nShape = static_cast<std::uint8_t>(in.Next() % 9);
    f.conditions.push_back(c);
  }
  for (int n = in.Next() % 4; n > 0; --n) {
    cEdKeyCondition k;
    for (int slot = 0; slot < static_cast<int>(k.keyStates.size()); ++slot) {
      k.keyStates[slot] = static_cast<std::uint8_t>(in.Next() % 3);
    }
    k.bAnyHold = static_cast<std::uint8_t>(in.Next() & 1);
    k.nKeyRule = static_cast<std::uint8_t>(in.Next() % 3);
    f.keyConditions.push_back(k);
  }
  // A nested flow (a command's flows, installed when an item asks) is short: every copy of its
  // command made by a loop copies it too.
  for (int n = in.Next() % (depth == 0 ? 6 : 3); n > 0 && !in.Empty(); --n) f.commands.push_back(CommandOf(in, depth));
  return f;
}

cEdCommand CommandOf(Bytes& in, int depth) {
  cEdCommand c;
  c.nSet = static_cast<std::uint8_t>(in.Next() % 3);
  c.nKind = static_cast<std::uint8_t>(in.Next());
  c.nTime = static_cast<std::int16_t>(in.Next() % 40 - 4);
  c.nTimeStep = static_cast<std::int16_t>(in.Next() % 5);
  c.bNoWait = static_cast<std::uint8_t>(in.Next() & 1);
  c.nSound = in.Short();
  c.bSoundInViewOnly = static_cast<std::uint8_t>(in.Next() & 1);
  c.nAnime = static_cast<std::int16_t>(in.Next() % 4);
  for (int n = in.Next() % 20; n > 0; --n) c.params.push_back(in.Int());
  const int records = in.Next();
  if (records & 1) c.pMove = boost::make_shared<cEdMove>(MoveOf(in));
  if (records & 2) {
    c.pShot = boost::make_shared<cEdShot>();
    c.pShot->nTrajectory = static_cast<std::uint8_t>(in.Next());
  }
  if (records & 4) {
    for (int n = in.Next() % 24; n > 0; --n) c.strText += static_cast<char>(" my.v1=+-*/()C12S3rand,pl"[in.Next() % 25]);
  }
  if ((records & 8) && depth < 1) c.flows.push_back(FlowOf(in, depth + 1));
  return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SetExprErrorReporter(Quiet);
  static const bool limits = [] {
    InitArrangeLimits();
    return true;
  }();
  (void)limits;
  Bytes in(data, size);
  flowtest::FakeWorld world;
  flowtest::FakeActor self;
  flowtest::FakeActor other;
  world.hero = &other;
  self.b = 1 + in.Next() % 4;
  self.clone = in.Next() % 3;
  self.facing = in.Next() & 1;
  const int setup = in.Next();
  self.flying = setup & 1;
  self.flags[2] = (setup >> 1) & 1;
  self.target = (setup & 4) ? &other : nullptr;
  self.wallSide = (setup >> 3) % 3 - 1;
  for (int n = in.Next() % 5; n > 0 && !in.Empty(); --n) self.defs.push_back(FlowOf(in, 0));
  InstallFlows(self, self.defs, 0, 0);
  // Loops may unroll a list to tens of thousands of commands, all running at once when they do
  // not wait: a few frames of those tell as much as sixty.
  std::size_t commands = 0;
  for (const cFlow& flow : self.FlowState().Flows) commands += flow.vCmds.size();
  const int frames = commands > 4096 ? 3 : 60;
  cInput& input = PlayerInputs[0];
  const cInput saved = input;
  for (int frame = 0; frame < frames; ++frame) {
    input.m_wButton = static_cast<std::uint16_t>(in.Next());
    input.m_wDir = static_cast<std::uint16_t>(in.Next() % 16);
    input.UpdateEvents();
    self.wallHit = (frame & 7) == 3;
    ResetFlowFrameFlags(self);
    for (int trigger = 0; trigger < 20; ++trigger) FireTrigger(self, trigger);
    for (int step = 0; step < self.b; ++step) RunFlowFrameStep(self, step == 0 ? 0 : (frame & 1));
  }
  input = saved;
  return 0;
}
