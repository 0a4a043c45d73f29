#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"

// One entry of the status display: total score, stage score, HP bar, SP bar or lives.
class cSysHudItem : public cData {
 public:
  cSysHudItem();
  cSysHudItem(const cSysHudItem&) = default;
  cSysHudItem& operator=(const cSysHudItem&) = default;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;

  std::int32_t bShow = 0;
  std::int32_t bIcon = 0;        // a 16 × 16 icon instead of the label
  std::int32_t nValueCells = 0;  // cells of 16 pixels for the value after the label
  std::int32_t bShowNumber = 0;  // the bars also print their number
  std::int32_t nLowLimit = 0;    // a bar at or below it is drawn in its low state
  std::int32_t bLowPercent = 0;  // nLowLimit is a percentage of the maximum
  std::string strLabel;
};
