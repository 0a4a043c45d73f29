#include "data/stage_param.h"

cStageParam::cStageParam() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cStageParam::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  AddInt(&bLeft);
  // The right, top and bottom switches came with version 125.
  if (version >= 125) {
    AddInt(&bRight);
    AddInt(&bTop);
    AddInt(&bBottom);
  }
  AddInt(&nMarginLeft);
  AddInt(&nMarginRight);
  AddInt(&nMarginTop);
  AddInt(&nMarginBottom);
}

void cStageParam::Set(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom,
                      std::int32_t marginLeft, std::int32_t marginRight, std::int32_t marginTop,
                      std::int32_t marginBottom) {
  bLeft = left;
  bRight = right;
  bTop = top;
  bBottom = bottom;
  nMarginLeft = marginLeft;
  nMarginRight = marginRight;
  nMarginTop = marginTop;
  nMarginBottom = marginBottom;
}
