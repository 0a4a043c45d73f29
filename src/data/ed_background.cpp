#include "data/ed_background.h"

#include <cmath>

cEdBackground::cEdBackground() { Clear(); }

void cEdBackground::Clear() {
  cData::Clear();
  bVisible = 1;
  nFillColor = kDefaultFillColor;
  dScrollX = kDefaultScrollFactor;
  dScrollY = kDefaultScrollFactor;
}

void cEdBackground::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  if (version >= 62) AddInt(&bVisible);
  AddInt(&bFill);
  AddInt(&nFillColor);
  AddInt(&nDrawKey);
  if (version >= 61) {
    AddDouble(&dScrollX);
    AddDouble(&dScrollY);
    AddInt(&bSelfScrollX);
    AddInt(&bSelfScrollY);
  } else {
    AddInt(&m_Dropped[0]);
    AddInt(&m_Dropped[1]);
  }
  if (version >= 62) {
    AddDouble(&dSelfScrollPosX);
    AddDouble(&dSelfScrollPosY);
  } else if (version == 61) {
    AddInt(&m_Dropped[0]);
    AddInt(&m_Dropped[1]);
  }
  AddStrings(&strPicture);
}

bool cEdBackground::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  if (!std::isfinite(dScrollX)) dScrollX = kDefaultScrollFactor;
  if (!std::isfinite(dScrollY)) dScrollY = kDefaultScrollFactor;
  if (!std::isfinite(dSelfScrollPosX)) dSelfScrollPosX = 0.0;
  if (!std::isfinite(dSelfScrollPosY)) dSelfScrollPosY = 0.0;
  return true;
}

bool ReadBackgroundList(cVector<cEdBackground>& list, RecordReader& in) { return ReadRecordList(list, in); }
