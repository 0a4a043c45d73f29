#include "data/palette_lists.h"

#include "core/record_base.h"
#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_item.h"
#include "platform/worker_thread.h"

namespace {

template <typename T>
bool ReadPaletteList(cVector<T>& list, RecordReader& in, std::int32_t& declared) {
  RecordReader::Nesting nesting(in);
  std::int32_t count = 0;
  if (!nesting || !in.ReadCount(count, kMinRecordBytes)) return false;
  list.clear();
  declared = count;
  const T element = RecordListDefault<T>();
  bool ok = true;
  for (std::int32_t i = 0; ok && i < count; ++i) {
    list.push_back(element);
    ok = ReadMayGoOn(in) && list.back().Read(in);
  }
  declared = 0;
  return ok;
}

template <typename T>
void PadList(cVector<T>& list) {
  while (list.size() < kMinPaletteEntries) list.push_back(RecordListDefault<T>());
}

template <typename T>
void ResetFirst(cVector<T>& list) {
  if (!list.empty()) list[0] = RecordListDefault<T>();
}

}  // namespace

bool ReadBlockList(cVector<cEdBlock>& list, RecordReader& in, PaletteLists& reading) {
  return ReadPaletteList(list, in, reading.blocksDeclared);
}

bool ReadCharaList(cVector<cEdChara>& list, RecordReader& in, PaletteLists& reading) {
  return ReadPaletteList(list, in, reading.charasDeclared);
}

bool ReadItemList(cVector<cEdItem>& list, RecordReader& in, PaletteLists& reading) {
  return ReadPaletteList(list, in, reading.itemsDeclared);
}

void ResetPaletteEntryZero(cVector<cEdBlock>& blocks, cVector<cEdChara>& charas, cVector<cEdItem>& items) {
  ResetFirst(blocks);
  ResetFirst(charas);
  ResetFirst(items);
}

void PadPalette(cVector<cEdBlock>& blocks, cVector<cEdChara>& charas, cVector<cEdItem>& items) {
  PadList(blocks);
  PadList(charas);
  PadList(items);
}

void ValidateDefinitions(cVector<cEdBlock>& blocks, cVector<cEdChara>& charas, cVector<cEdItem>& items,
                         const DataReadContext& context) {
  for (cEdBlock& block : blocks) {
    block.Validate(context);
    block.ValidateItemRef(context);
  }
  for (cEdChara& chara : charas) {
    chara.Validate(context);
    chara.ValidateSummons(context);
  }
  for (cEdItem& item : items) {
    item.Validate(context);
    item.ValidateSummons(context);
  }
}

bool ReadMayGoOn(RecordReader& in) {
  return !platform::ThisThreadStopRequested() || in.Fail("the reading thread was asked to stop");
}
