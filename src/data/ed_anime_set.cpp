#include "data/ed_anime_set.h"

namespace {

constexpr std::int32_t kFlyingOffsetFrom = 119;
// Sets before this version had other motions at 2 and 3; they are renamed to the flying ones.
constexpr std::int32_t kFlyingMotionsFrom = 128;

constexpr const char* kMotionNames[kStandardMotionCount] = {"立ち", "立ち移動", "飛行", "飛行移動"};

}  // namespace

cEdAnimeSet::cEdAnimeSet() {
  RegisterFields(CurrentVersion);
  Reset();
}

void cEdAnimeSet::Reset() {
  Clear();
  nInvincibleOffset = 4;
  nBlockOffset = 8;
  nFlyingOffset = 0;
  KeepFourMotions();
  for (int i = 0; i < kStandardMotionCount; ++i) Motions[i].strName = kMotionNames[i];
}

void cEdAnimeSet::KeepFourMotions() {
  if (Motions.size() > kStandardMotionCount) Motions.resize(kStandardMotionCount);
  while (Motions.size() < kStandardMotionCount) Motions.push_back(cEdAnime());
}

void cEdAnimeSet::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  AddInt(&nInvincibleOffset);
  AddInt(&nBlockOffset);
  if (version >= kFlyingOffsetFrom) AddInt(&nFlyingOffset);
  AddStrings(&strName);
}

bool cEdAnimeSet::Read(RecordReader& in) {
  if (!cData::Read(in) || !ReadRecordList(Motions, in)) return false;
  if (in.Version() < kFlyingOffsetFrom) KeepFourMotions();
  if (in.Version() < kFlyingMotionsFrom) {
    KeepFourMotions();
    Motions[2].strName = kMotionNames[2];
    Motions[3].strName = kMotionNames[3];
  }
  return true;
}

void cEdAnimeSet::Write(RecordWriter& out) {
  cData::Write(out);
  WriteRecordList(Motions, out);
}
