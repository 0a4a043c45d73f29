#include "data/ed_condition.h"

#include <utility>

namespace {

// Layouts by file version: 110 on carries every field, 43 to 109 seven, 42 and older six.
constexpr std::int32_t kFullLayout = 110;
constexpr std::int32_t kPercentLayout = 43;

// Owner 2 is the system, whose statuses never moved.
constexpr std::uint8_t kOwnerSystem = 2;

// A status was inserted in front of `from`: numbers at or above it move up by one.
void ShiftStatus(std::uint8_t source, std::uint8_t statusSource, std::uint8_t owner, std::uint8_t& status,
                 std::uint8_t from) {
  if (source == statusSource && owner != kOwnerSystem && status >= from) ++status;
}

}  // namespace

cEdCondition::cEdCondition() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cEdCondition::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  AddByte(&nKind);
  AddInt(&nValue);
  if (version >= kFullLayout) {
    AddInt(&nRandMin);
    AddInt(&nRandMax);
    AddByte(&nLeftTarget);
    AddByte(&nLeftStatus);
    AddByte(&nLeftSource);
    AddByte(&nLeftScope);
    AddShort(&nVarIndex);
    AddByte(&nRightSource);
    AddByte(&nRightTarget);
    AddByte(&nRightStatus);
    AddByte(&nRightScope);
    AddShort(&nRightIndex);
    AddByte(&nOp);
    AddByte(&nPercent);
    AddByte(&nShape);
    return;
  }
  AddShort(&discarded_[0]);
  AddShort(&discarded_[1]);
  AddByte(&nOp);
  if (version >= kPercentLayout) AddByte(&nPercent);
  AddByte(&nShape);
}

bool cEdCondition::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  discarded_[0] = discarded_[1] = 0;
  if (in.Version() < kRecordVersion) Migrate(in.Version());
  return true;
}

void cEdCondition::Migrate(std::int32_t v) {
  // The distance kind of the oldest files was 5; two status kinds were inserted before it.
  if (v < 160 && nKind >= 5) nKind = static_cast<std::uint8_t>(nKind + 2);
  if (v <= 160 && nKind == kCondStatus3 && nLeftStatus == 2) nOp ^= 1;
  if (nKind == kCondStatus) {
    // Character statuses gained entries at 10 (version 168) and at 5 (version 203).
    for (const auto& [below, from] : {std::pair<std::int32_t, std::uint8_t>{168, 10}, {203, 5}}) {
      if (v >= below) continue;
      ShiftStatus(nLeftSource, 0, nLeftTarget, nLeftStatus, from);
      ShiftStatus(nRightSource, 2, nRightTarget, nRightStatus, from);
    }
  }
  if (v < 210 && nKind == kCondStatus2 && nLeftTarget != kOwnerSystem && nLeftStatus >= 6) ++nLeftStatus;
  if (nKind == kCondDistance) {
    if (v <= 656) nLeftTarget = 0;  // old distances were always measured to the hero
    if (v < 745) nLeftSource = 0;
    if (v < 746) {
      nRightSource = 1;
      nRightTarget = 1;
    }
  }
}
