#pragma once

#include <cstdint>

#include "core/record_base.h"

// One start condition: a variable, a status, a property of a character or a distance compared
// with a value. Held in lists by flows, blocks, characters and items.
class cEdCondition : public cData {
 public:
  cEdCondition();
  cEdCondition(const cEdCondition&) = default;
  cEdCondition& operator=(const cEdCondition&) = default;

  void RegisterFields(std::int32_t version) override;
  // Reads the layout of the file's version and brings old kinds and status numbers up to date.
  bool Read(RecordReader& in) override;

  // The numbering fix-ups of files older than the current layout.
  void Migrate(std::int32_t version);

  std::uint8_t nKind = 0;
  std::uint8_t nLeftSource = 0;
  std::uint8_t nLeftScope = 0;
  std::uint8_t nLeftTarget = 0;
  std::uint8_t nLeftStatus = 0;
  std::int16_t nVarIndex = 0;
  std::uint8_t nRightSource = 0;
  std::int32_t nValue = 0;
  std::int32_t nRandMin = 0;
  std::int32_t nRandMax = 0;
  std::uint8_t nRightTarget = 0;
  std::uint8_t nRightStatus = 0;
  std::uint8_t nRightScope = 0;
  std::int16_t nRightIndex = 0;
  std::uint8_t nOp = 0;
  std::uint8_t nPercent = 0;
  std::uint8_t nShape = 0;

 private:
  // Old layouts carry two 16-bit values that nothing uses any more; they are read here and
  // dropped.
  std::int16_t discarded_[2] = {};
};

// Condition kinds.
enum : std::uint8_t {
  kCondNone = 0,
  kCondCommonVar = 1,
  kCondStageVar = 2,
  kCondCharaVar = 3,
  kCondStatus = 4,
  kCondStatus2 = 5,
  kCondStatus3 = 6,
  kCondDistance = 7,
};
