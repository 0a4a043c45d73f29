#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "core/record_base.h"
#include "data/save_records.h"

class cSaveData;

// What the menus show of one story slot: whether its file is there and when it was saved.
class cSaveSlotInfo : public cData {
 public:
  cSaveSlotInfo();
  void RegisterFields(std::int32_t version) override;
  // Used, with the record's save time.
  void SetFrom(const cSaveData& save);

  std::int32_t m_bUsed = 0;
  SaveTime m_Time;
};

// The 99 slots' summaries, none used until the first scan.
extern cVector<cSaveSlotInfo> SaveSlotInfos;

// Every entry from its slot file: used with the file's save time when the whole file reads,
// unused when it is missing or broken (a broken one is set aside).
void ScanSaveSlots(cVector<cSaveSlotInfo>& list);
