#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "core/record_base.h"

// One step of a key-input sequence that a flow waits for.
class cEdKeyCondition : public cData {
 public:
  // Ten direction slots and nine button slots of the input history.
  static constexpr int kKeyStates = 19;

  cEdKeyCondition();
  cEdKeyCondition(const cEdKeyCondition&) = default;
  cEdKeyCondition& operator=(const cEdKeyCondition&) = default;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;
  // Zero fields and exactly 19 untested keys.
  void Clear();

  std::uint8_t bMirror = 0;
  std::int16_t nMinHold = 0;
  std::int16_t nMaxHold = 0;
  std::uint8_t bAnyHold = 0;
  std::uint8_t nKeyRule = 0;
  // 0 not tested, 1 held, 2 released.
  cVector<std::uint8_t> keyStates;
};

bool ReadKeyConditionList(cVector<cEdKeyCondition>& list, RecordReader& in);
