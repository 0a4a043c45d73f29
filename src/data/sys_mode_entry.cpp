#include "data/sys_mode_entry.h"

cSysModeEntry::cSysModeEntry() {
  RegisterFields(CurrentVersion);
  Clear();
  RankKinds.assign(kRankKindCount, 0);
}

void cSysModeEntry::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&bRanking);
}

bool cSysModeEntry::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  std::int32_t count = 0;
  if (!in.ReadCount(count, 1)) return false;
  RankKinds.resize(static_cast<std::size_t>(count), 0);
  return RankKinds.empty() || in.ReadElements(RankKinds.data(), 1, RankKinds.size());
}

void cSysModeEntry::Write(RecordWriter& out) {
  cData::Write(out);
  out.WriteU32(static_cast<std::uint32_t>(RankKinds.size()));
  if (!RankKinds.empty()) out.WriteElements(RankKinds.data(), 1, RankKinds.size());
}
