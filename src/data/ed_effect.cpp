#include "data/ed_effect.h"

#include "data/database_versions.h"

cEdEffectFrame::cEdEffectFrame() {
  RegisterFields(CurrentVersion);
  Clear();
}

cEdEffectFrame cEdEffectFrame::ListDefault() {
  cEdEffectFrame frame;
  frame.nDuration = 1;
  return frame;
}

void cEdEffectFrame::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&nCell);
  AddInt(&nDuration);
}

cEdEffect::cEdEffect() {
  RegisterFields(CurrentVersion);
  Reset();
}

void cEdEffect::Reset() {
  Clear();
  nCellWidth = 32;
  nCellHeight = 32;
  bScalable = 0;
}

void cEdEffect::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  if (version >= kEditorFieldFrom) AddInt(&nEditor);
  AddInt(&nCellWidth);
  AddInt(&nCellHeight);
  AddInt(&bScalable);
  AddStrings(&strName);
  AddStrings(&strBitmap);
}

bool cEdEffect::Read(RecordReader& in) {
  if (!cData::Read(in) || !ReadRecordList(Frames, in)) return false;
  if (in.Version() < kEditorFieldKeptFrom) nEditor = 0;
  return true;
}

void cEdEffect::Write(RecordWriter& out) {
  cData::Write(out);
  WriteRecordList(Frames, out);
}
