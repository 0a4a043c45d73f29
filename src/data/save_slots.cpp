#include "data/save_slots.h"

#include <memory>

#include "core/record_file.h"
#include "core/user_files.h"
#include "data/save_data.h"

cVector<cSaveSlotInfo> SaveSlotInfos(kSaveSlotCount);

cSaveSlotInfo::cSaveSlotInfo() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cSaveSlotInfo::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&m_bUsed);
}

void cSaveSlotInfo::SetFrom(const cSaveData& save) {
  m_bUsed = 1;
  m_Time = save.m_SaveTime;
}

void ScanSaveSlots(cVector<cSaveSlotInfo>& list) {
  // One record read into again and again: only its save time is taken.
  cSaveData scratch;
  for (int i = 0; i < static_cast<int>(list.size()); ++i) {
    cSaveSlotInfo& info = list[i];
    info.m_bUsed = 0;
    const std::string path = SaveSlotFileName(i);
    std::unique_ptr<RecordReader> file = DataFileOpenRead(path);
    if (!file) continue;
    if (scratch.Read(*file)) {
      info.SetFrom(scratch);
    } else {
      SetAsideUnreadable(path);
    }
    DataFileClose(file);
  }
}
