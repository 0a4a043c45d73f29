#pragma once

#include <cstdint>
#include <string>

#include "core/checked_sequence.h"
#include "core/record_base.h"
#include "data/ed_command.h"
#include "data/ed_condition.h"
#include "data/ed_key_condition.h"

struct DataReadContext;

// One event-driven behaviour of a character: a trigger, start conditions with their rule,
// key-input conditions and the commands run in order.
class cEdFlow : public cData {
 public:
  cEdFlow();
  cEdFlow(const cEdFlow&) = default;
  cEdFlow& operator=(const cEdFlow&) = default;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  void Validate(const DataReadContext& context);
  void ValidateSummons(const DataReadContext& context);
  // Trigger renumberings of files older than the current layout.
  void MigrateTrigger(std::int32_t version);
  // A flow with no condition, no key condition and no command does nothing.
  bool IsEmpty() const { return conditions.empty() && keyConditions.empty() && commands.empty(); }

  std::string strMemo;  // the author's note; never kept past reading
  std::uint8_t nFlowId = 0;
  std::uint8_t nSwitch = 0;
  std::uint8_t bTestPlayOnly = 0;
  std::uint8_t nRule = 0;
  std::uint8_t bLatch = 0;
  std::uint8_t nTrigger = 0;
  std::uint8_t nKeyGap = 0;
  std::uint8_t bKeyContinuous = 0;

  cVector<cEdCondition> conditions;
  cVector<cEdKeyCondition> keyConditions;
  cVector<cEdCommand> commands;
};

bool ReadFlowList(cVector<cEdFlow>& list, RecordReader& in);
// Removes the flows that exist only while testing from the authoring tool.
void DropTestPlayFlows(cVector<cEdFlow>& list);
