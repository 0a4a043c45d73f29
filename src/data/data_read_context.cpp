#include "data/data_read_context.h"

#include <algorithm>

#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_item.h"

namespace {

template <typename T>
std::int32_t CountOf(const cVector<T>* list, std::int32_t declared) {
  return std::max(list ? static_cast<std::int32_t>(list->size()) : 0, declared);
}

template <typename T>
const T* EntryOf(const cVector<T>* list, std::int32_t declared, std::int32_t index) {
  if (index < 0) return nullptr;
  if (list && index < static_cast<std::int32_t>(list->size())) return &(*list)[index];
  if (index >= declared) return nullptr;
  static const T unread = RecordListDefault<T>();
  return &unread;
}

}  // namespace

std::int32_t PaletteLists::BlockCount() const { return CountOf(blocks, blocksDeclared); }
std::int32_t PaletteLists::CharaCount() const { return CountOf(charas, charasDeclared); }
std::int32_t PaletteLists::ItemCount() const { return CountOf(items, itemsDeclared); }

const cEdBlock* PaletteLists::Block(std::int32_t index) const { return EntryOf(blocks, blocksDeclared, index); }
const cEdChara* PaletteLists::Chara(std::int32_t index) const { return EntryOf(charas, charasDeclared, index); }
const cEdItem* PaletteLists::Item(std::int32_t index) const { return EntryOf(items, itemsDeclared, index); }

const PaletteLists* DataReadContext::Palette(int source) const {
  if (source == 1) return &commonPalette;
  if (source == 2) return &stagePalette;
  return nullptr;
}

DataReadContext& ProjectDataContext() {
  static DataReadContext context;
  return context;
}

const DataReadContext& DataContextOf(const RecordReader& in) {
  if (const auto* own = dynamic_cast<const DataReadContext*>(in.Context())) return *own;
  return ProjectDataContext();
}
