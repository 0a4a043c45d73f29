#include "data/ed_media_file.h"

#include "data/database_versions.h"

cEdMediaFile::cEdMediaFile() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cEdMediaFile::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  if (version >= kEditorFieldFrom) AddInt(&nEditor);
  AddStrings(&strName);
  AddStrings(&strFile);
}

bool cEdMediaFile::Read(RecordReader& in) {
  if (!cData::Read(in)) return false;
  if (in.Version() < kEditorFieldKeptFrom) nEditor = 0;
  return true;
}
