#pragma once

#include <array>
#include <cstdint>

#include "flow/field_access.h"

class cEdCommand;

// Where an arrangeable parameter's limits come from: its own, or the row of the shot record's
// formation or movement type for the parameter's place among the type's three.
enum class ArrangeLimitSource : std::uint8_t { kOwn, kFormation, kTrajectory };

// One arrangeable parameter: label, limits, where the command keeps it.
struct ArrangeRow {
  const char* label;
  std::int32_t min;
  std::int32_t max;
  FieldRef (*locate)(cEdCommand& command);  // no address when the command lacks the record
  ArrangeLimitSource limits = ArrangeLimitSource::kOwn;
  int place = 0;
};

// A kind's rows; `accessors` marks a kind whose accessors exist but change nothing.
struct ArrangeRows {
  const ArrangeRow* rows = nullptr;
  int count = 0;
  bool accessors = false;
  bool Any() const { return count > 0 || accessors; }
};

constexpr int kArrangeKinds = 40;
const std::array<ArrangeRows, kArrangeKinds>& ArrangeTable();
