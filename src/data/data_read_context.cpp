#include "data/data_read_context.h"

#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_item.h"

namespace {

template <typename T>
std::int32_t CountOf(const cVector<T>* list) {
  return list ? static_cast<std::int32_t>(list->size()) : 0;
}

}  // namespace

std::int32_t PaletteLists::BlockCount() const { return CountOf(blocks); }
std::int32_t PaletteLists::CharaCount() const { return CountOf(charas); }
std::int32_t PaletteLists::ItemCount() const { return CountOf(items); }

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
