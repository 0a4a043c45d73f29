#include "flow/status_arith.h"

#include <algorithm>
#include <limits>

#include "core/strings.h"
#include "data/ed_condition.h"

namespace {

template <typename T>
T Wrap(std::int64_t v) {
  return static_cast<T>(static_cast<std::make_unsigned_t<T>>(static_cast<std::uint64_t>(v)));
}

template <typename T>
void ApplyStatusOp(T& field, std::int32_t operand, int op, std::int32_t low, std::int32_t high) {
  constexpr std::int64_t kMin = std::numeric_limits<T>::min();
  constexpr std::int64_t kMax = std::numeric_limits<T>::max();
  const std::int64_t a = static_cast<T>(operand);
  const std::int64_t v = field;
  switch (op) {
    case 0: field = static_cast<T>(a); break;
    case 1: field = Wrap<T>(v + a); break;
    case 2: field = Wrap<T>(v - a); break;
    case 3: {
      // The product is taken whole, so that every overflow is seen, not only the ones that
      // flip the sign.
      const std::int64_t product = v * a;
      if (product > kMax) {
        field = static_cast<T>(std::clamp<std::int64_t>(high, kMin, kMax));
      } else if (product < kMin) {
        field = static_cast<T>(std::clamp<std::int64_t>(low, kMin, kMax));
      } else {
        field = static_cast<T>(product);
      }
      break;
    }
    case 4:
      // The smallest value divided by -1 stays itself, as the width cannot hold the result.
      if (a != 0) field = Wrap<T>(v / a);
      break;
    case 5:
      if (a != 0) field = static_cast<T>(v % a);
      break;
    case 6: field = static_cast<T>(std::clamp<std::int64_t>(PercentOf(static_cast<int>(v), static_cast<int>(a)), kMin, kMax)); break;
    default: break;
  }
  if (field < low) field = static_cast<T>(std::clamp<std::int64_t>(low, kMin, kMax));
  else if (field > high) field = static_cast<T>(std::clamp<std::int64_t>(high, kMin, kMax));
}

bool CompareStatus(std::int32_t value, std::int32_t maximum, const cEdCondition& condition, std::int32_t low,
                   std::int32_t high, std::int32_t (*cut)(std::int32_t)) {
  std::int32_t right = condition.nValue;
  if (condition.nPercent != 0) right = std::clamp(PercentOf(cut(maximum), cut(right)), low, high);
  return CompareByOp(cut(value), cut(right), condition.nOp);
}

std::int32_t Whole(std::int32_t v) { return v; }
std::int32_t Cut16(std::int32_t v) { return static_cast<std::int16_t>(v); }
std::int32_t Cut8(std::int32_t v) { return static_cast<std::int8_t>(v); }

}  // namespace

void ApplyStatusOp32(std::int32_t& field, std::int32_t a, int op, std::int32_t low, std::int32_t high) {
  ApplyStatusOp(field, a, op, low, high);
}
void ApplyStatusOp16(std::int16_t& field, std::int32_t a, int op, std::int32_t low, std::int32_t high) {
  ApplyStatusOp(field, a, op, low, high);
}
void ApplyStatusOp8(std::int8_t& field, std::int32_t a, int op, std::int32_t low, std::int32_t high) {
  ApplyStatusOp(field, a, op, low, high);
}

bool CompareByOp16(std::int32_t a, std::int32_t b, int op) { return CompareByOp(Cut16(a), Cut16(b), op); }
bool CompareByOp8(std::int32_t a, std::int32_t b, int op) { return CompareByOp(Cut8(a), Cut8(b), op); }
std::int32_t PercentOf16(std::int32_t a, std::int32_t b) { return Cut16(PercentOf(Cut16(a), Cut16(b))); }
std::int32_t PercentOf8(std::int32_t a, std::int32_t b) { return Cut8(PercentOf(Cut8(a), Cut8(b))); }

bool CompareStatus32(std::int32_t value, std::int32_t maximum, const cEdCondition& condition, std::int32_t low,
                     std::int32_t high) {
  return CompareStatus(value, maximum, condition, low, high, Whole);
}
bool CompareStatus16(std::int32_t value, std::int32_t maximum, const cEdCondition& condition, std::int32_t low,
                     std::int32_t high) {
  return CompareStatus(value, maximum, condition, low, high, Cut16);
}
bool CompareStatus8(std::int32_t value, std::int32_t maximum, const cEdCondition& condition, std::int32_t low,
                    std::int32_t high) {
  return CompareStatus(value, maximum, condition, low, high, Cut8);
}
