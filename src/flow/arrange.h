#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/checked_sequence.h"

class cEdCommand;
class cFlowActor;
struct cFlow;

// One parameter the arrange command can change: its label and limits.
struct ParamDesc {
  std::string label;
  std::int32_t min = 0;
  std::int32_t max = 0;
};

// Per character command kind (40), its arrangeable parameters by number.
extern cVector<cVector<ParamDesc>> ArrangeLimits;
void InitArrangeLimits();

// Where a kind keeps its parameters: the getter stores parameter p's value widened with its
// sign, the setter stores a value at the field's width; a parameter the kind does not have is
// left alone. Null for a kind without arrangeable parameters.
using ArrangeGetter = void (*)(std::int32_t& value, int parameter, cEdCommand& command);
using ArrangeSetter = void (*)(std::int32_t value, int parameter, cEdCommand& command);
extern const std::array<ArrangeGetter, 40> ArrangeGetters;
extern const std::array<ArrangeSetter, 40> ArrangeSetters;

// "アレンジ": files its entry (kind, parameter, operation, source, value) with the flow that
// runs it, or with the hero for an item's.
int CmdArrange(cFlowActor& chara, cEdCommand& def);
// One entry applied to a command's record, for good.
void ApplyArrange(cEdCommand& command, const cVector<std::int32_t>& entry, cFlowActor& chara);
// The flow's entries, in order, applied to the command about to start.
void ApplyFlowArrangements(cEdCommand& command, cFlowActor& chara, cFlow* flow);
