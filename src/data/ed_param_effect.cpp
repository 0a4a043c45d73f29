#include "data/ed_param_effect.h"

cEdParamEffect::cEdParamEffect() {
  RegisterFields(CurrentVersion);
  Clear();
  nKind = 1;
}

void cEdParamEffect::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&nKind);
  AddInt(nParam, kParamCount);
  AddStrings(&strName);
}

// Old files give the coarseness of the wave and circle kinds the default of its parameter row.

bool cEdCharaEffect::Read(RecordReader& in) {
  static constexpr ParamFixUp kFixUps[] = {{4, 4, 2}, {5, 4, 2}, {10, 3, 2}};
  return ReadWithFixUps(in, kFixUps);
}

bool cEdScrEffect::Read(RecordReader& in) {
  static constexpr ParamFixUp kFixUps[] = {{6, 4, 8}, {7, 4, 10}, {10, 3, 8}};
  return ReadWithFixUps(in, kFixUps);
}
