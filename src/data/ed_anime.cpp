#include "data/ed_anime.h"

namespace {

// Files before this version store no field of an animation, only its name.
constexpr std::int32_t kAnimeFieldsFrom = 55;

}  // namespace

cEdAnimeFrame::cEdAnimeFrame() {
  RegisterFields(CurrentVersion);
  Clear();
}

cEdAnimeFrame cEdAnimeFrame::ListDefault() {
  cEdAnimeFrame frame;
  frame.nDuration = 1;
  return frame;
}

void cEdAnimeFrame::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&nCell);
  AddInt(&nDuration);
  AddInt(&bHold);
}

cEdAnime::cEdAnime() {
  RegisterFields(CurrentVersion);
  Reset();
}

void cEdAnime::Reset() {
  Clear();
  nEditor2 = 1;
  Frames.assign(1, cEdAnimeFrame::ListDefault());
}

void cEdAnime::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  if (version >= kAnimeFieldsFrom) {
    AddShort(&nEditor1);
    AddByte(&nEditor2);
    AddShort(&nEditor3);
  }
  AddStrings(&strName);
}

bool cEdAnime::Read(RecordReader& in) { return cData::Read(in) && ReadRecordList(Frames, in); }

void cEdAnime::Write(RecordWriter& out) {
  cData::Write(out);
  WriteRecordList(Frames, out);
}
