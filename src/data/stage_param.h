#pragma once

#include <cstdint>

#include "core/record_base.h"

// A range rule of a stage: on each enabled side an object counts as out of range once its box
// lies entirely beyond the view edge widened by that side's margin (in 32-pixel cells).
class cStageParam : public cData {
 public:
  cStageParam();
  cStageParam(const cStageParam&) = default;
  cStageParam& operator=(const cStageParam&) = default;

  void RegisterFields(std::int32_t version) override;

  void Set(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom, std::int32_t marginLeft,
           std::int32_t marginRight, std::int32_t marginTop, std::int32_t marginBottom);

  std::int32_t bLeft = 0;
  std::int32_t bRight = 0;
  std::int32_t bTop = 0;
  std::int32_t bBottom = 0;
  std::int32_t nMarginLeft = 0;
  std::int32_t nMarginRight = 0;
  std::int32_t nMarginTop = 0;
  std::int32_t nMarginBottom = 0;
};
