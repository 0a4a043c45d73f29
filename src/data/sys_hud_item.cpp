#include "data/sys_hud_item.h"

namespace {

constexpr std::int32_t kShowNumberFrom = 204;
constexpr std::int32_t kLowLimitFrom = 587;

}  // namespace

cSysHudItem::cSysHudItem() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cSysHudItem::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  AddInt(&bShow);
  AddInt(&bIcon);
  AddInt(&nValueCells);
  if (version >= kShowNumberFrom) AddInt(&bShowNumber);
  if (version >= kLowLimitFrom) {
    AddInt(&nLowLimit);
    AddInt(&bLowPercent);
  }
  AddStrings(&strLabel);
}

bool cSysHudItem::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  // Bars always printed their number before the switch existed.
  if (in.Version() < kShowNumberFrom) bShowNumber = 1;
  return true;
}
