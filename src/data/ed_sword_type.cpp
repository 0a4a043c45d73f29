#include "data/ed_sword_type.h"

#include "data/database_versions.h"

namespace {

constexpr std::int32_t kMirrorFrom = 138;

}  // namespace

cEdSwordPart::cEdSwordPart() {
  RegisterFields(CurrentVersion);
  Clear();
  bMirrorX = 1;
}

void cEdSwordPart::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  AddInt(&nOffsetX);
  AddInt(&nOffsetY);
  if (version >= kMirrorFrom) {
    AddInt(&bMirrorX);
    AddInt(&bMirrorY);
  }
  AddInt(&nAttach);
  AddInt(&nRectX);
  AddInt(&nRectY);
  AddInt(&nRectWidth);
  AddInt(&nRectHeight);
  AddInt(&nDuration);
}

cEdSwordType::cEdSwordType() {
  RegisterFields(CurrentVersion);
  Reset();
}

void cEdSwordType::Reset() {
  Clear();
  Parts.assign(1, cEdSwordPart());
  Parts[0].nDuration = 1;
}

void cEdSwordType::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  if (version >= kEditorFieldFrom) AddInt(&nEditor);
  AddStrings(&strName);
  AddStrings(&strBitmapLeft);
  AddStrings(&strBitmapRight);
}

bool cEdSwordType::Read(RecordReader& in) {
  if (!cData::Read(in) || !ReadRecordList(Parts, in)) return false;
  if (in.Version() < kEditorFieldKeptFrom) nEditor = 0;
  return true;
}

void cEdSwordType::Write(RecordWriter& out) {
  cData::Write(out);
  WriteRecordList(Parts, out);
}
