// The arrange command: entries filed by a flow (or the hero, for items) change one parameter of
// the next command of their kind, within the parameter's limits, for good.
#include "flow/arrange.h"

#include <array>
#include <climits>
#include <utility>

#include "core/strings.h"
#include "data/command_tables.h"
#include "data/ed_command.h"
#include "data/ed_shot.h"
#include "data/shot_param_tables.h"
#include "flow/arrange_rows.h"
#include "flow/field_access.h"
#include "flow/flow_actor_seam.h"
#include "flow/flow_cursor.h"
#include "flow/flow_world_seam.h"

cVector<cVector<ParamDesc>> ArrangeLimits;

void InitArrangeLimits() {
  ArrangeLimits.resize(kArrangeKinds);
  for (int kind = 0; kind < kArrangeKinds; ++kind) {
    const ArrangeRows& rows = ArrangeTable()[kind];
    cVector<ParamDesc>& group = ArrangeLimits[kind];
    group.resize(rows.count);
    for (int p = 0; p < rows.count; ++p) group[p] = {rows.rows[p].label, rows.rows[p].min, rows.rows[p].max};
  }
}

namespace {

const ArrangeRow* RowOf(int kind, int parameter) {
  const ArrangeRows& rows = ArrangeTable()[kind];
  return parameter >= 0 && parameter < rows.count ? &rows.rows[parameter] : nullptr;
}

template <int kKind>
void Get(std::int32_t& value, int parameter, cEdCommand& command) {
  const ArrangeRow* row = RowOf(kKind, parameter);
  if (row == nullptr) return;
  const FieldRef field = row->locate(command);
  if (field.address != nullptr) value = ReadField(field);
}

template <int kKind>
void Set(std::int32_t value, int parameter, cEdCommand& command) {
  if (const ArrangeRow* row = RowOf(kKind, parameter)) WriteField(row->locate(command), value);
}

template <std::size_t... kKinds>
constexpr std::array<ArrangeGetter, kArrangeKinds> Getters(std::index_sequence<kKinds...>) {
  return {&Get<static_cast<int>(kKinds)>...};
}

template <std::size_t... kKinds>
constexpr std::array<ArrangeSetter, kArrangeKinds> Setters(std::index_sequence<kKinds...>) {
  return {&Set<static_cast<int>(kKinds)>...};
}

// The limits of a row; those of a formation or movement-type parameter follow the command's
// own shot record.
void LimitsOf(int kind, int parameter, const cEdCommand& command, std::int32_t& lo, std::int32_t& hi) {
  const ParamDesc& desc = ArrangeLimits[kind][parameter];
  lo = desc.min;
  hi = desc.max;
  const ArrangeRow* row = RowOf(kind, parameter);
  if (row == nullptr || row->limits == ArrangeLimitSource::kOwn || !command.pShot) return;
  const ShotParamRow& typeRow = row->limits == ArrangeLimitSource::kFormation
                                    ? FormationParamRow(command.pShot->nFormation, row->place)
                                    : TrajectoryParamRow(command.pShot->nTrajectory, row->place);
  lo = typeRow.minimum;
  hi = typeRow.maximum;
}

// The operand of an entry; false when its variable does not exist.
bool Operand(int source, std::int32_t n, cFlowActor& chara, std::int32_t& operand) {
  cFlowWorld* world = FlowWorld();
  switch (source) {
    case 0:
    case 1: {
      if (world == nullptr) return false;
      cVector<std::int32_t>& vars = source == 0 ? world->CommonVars() : world->StageVars();
      if (n < 1 || n >= static_cast<int>(vars.size())) return false;
      operand = vars[n];
      return true;
    }
    case 2: {
      const FieldRef var = chara.StatusField(kStatusVar, n);
      if (var.address == nullptr) return false;
      operand = ReadField(var);
      return true;
    }
    default: operand = n; return true;
  }
}

std::int32_t Combine(std::int32_t current, std::int32_t operand, int operation, std::int32_t lo, std::int32_t hi) {
  const auto wrap = [](std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); };
  switch (operation) {
    case 0: return operand;
    case 1: return wrap(static_cast<std::int64_t>(current) + operand);
    case 2: return wrap(static_cast<std::int64_t>(current) - operand);
    case 3: {
      // Judged on the whole product: a sign test on a wrapped one misses some overflows.
      const std::int64_t product = static_cast<std::int64_t>(current) * operand;
      if (product > INT32_MAX) return hi;
      if (product < INT32_MIN) return lo;
      return static_cast<std::int32_t>(product);
    }
    case 4:
      if (operand == 0) return current;
      if (current == INT32_MIN && operand == -1) return INT32_MIN;
      return current / operand;
    case 5:
      if (operand == 0) return current;
      if (operand == -1) return 0;
      return current % operand;
    case 6: return PercentOf(current, operand);
    default: return current;
  }
}

}  // namespace

namespace {

// A slot for every kind the table knows, empty for the others.
template <typename Slot>
std::array<Slot, kArrangeKinds> KnownKindsOnly(std::array<Slot, kArrangeKinds> slots) {
  for (int kind = 0; kind < kArrangeKinds; ++kind) {
    if (!ArrangeTable()[kind].Any()) slots[kind] = nullptr;
  }
  return slots;
}

}  // namespace

const std::array<ArrangeGetter, kArrangeKinds> ArrangeGetters =
    KnownKindsOnly(Getters(std::make_index_sequence<kArrangeKinds>()));
const std::array<ArrangeSetter, kArrangeKinds> ArrangeSetters =
    KnownKindsOnly(Setters(std::make_index_sequence<kArrangeKinds>()));

void ApplyArrange(cEdCommand& command, const cVector<std::int32_t>& entry, cFlowActor& chara) {
  if (entry.size() < 5) return;
  const int kind = command.nSet == kItemCommandSet ? command.nKind + kItemKindOffset : command.nKind;
  if (entry[0] != kind || kind < 0 || kind >= kArrangeKinds) return;
  // Kinds without rows have nothing to change, those whose accessors change nothing included:
  // their entries go.
  if (ArrangeTable()[kind].count == 0) return;
  const int parameter = entry[1];
  std::int32_t current = 0;
  ArrangeGetters[kind](current, parameter, command);
  std::int32_t operand = 0;
  if (!Operand(entry[3], entry[4], chara, operand)) return;
  std::int32_t lo = 0;
  std::int32_t hi = 0;
  LimitsOf(kind, parameter, command, lo, hi);
  current = Combine(current, operand, entry[2], lo, hi);
  if (current < lo) current = lo;
  if (current > hi) current = hi;
  ArrangeSetters[kind](current, parameter, command);
}

void ApplyFlowArrangements(cEdCommand& command, cFlowActor& chara, cFlow* flow) {
  if (flow == nullptr) return;
  for (const cVector<std::int32_t>& entry : flow->lArranges) ApplyArrange(command, entry, chara);
}

int CmdArrange(cFlowActor&, cEdCommand& def) {
  if (def.nSet == kItemCommandSet) {
    cFlowWorld* world = FlowWorld();
    cFlowActor* hero = world != nullptr ? world->Hero() : nullptr;
    if (hero == nullptr) return 0;
    if (cVector<cVector<std::int32_t>>* list = hero->ItemArranges()) list->push_back(def.params);
    return 0;
  }
  if (cFlow* flow = CurrentFlow().flow) flow->lArranges.push_back(def.params);
  return 0;
}
