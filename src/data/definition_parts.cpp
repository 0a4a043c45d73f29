#include "data/definition_parts.h"

#include <algorithm>

bool ReadCellPosition(std::int16_t& x, std::int16_t& y, RecordReader& in) {
  return in.ReadElements(&x, 2, 1) && in.ReadElements(&y, 2, 1);
}

void WriteCellPosition(std::int16_t x, std::int16_t y, RecordWriter& out) {
  out.WriteElements(&x, 2, 1);
  out.WriteElements(&y, 2, 1);
}

bool ReadInheritFlags(cVector<std::uint8_t>& flags, RecordReader& in) {
  std::int32_t count = 0;
  if (!in.ReadCount(count, 1)) return false;
  flags.resize(static_cast<std::size_t>(count));
  return count == 0 || in.ReadElements(flags.data(), 1, flags.size());
}

void WriteInheritFlags(const cVector<std::uint8_t>& flags, RecordWriter& out) {
  out.WriteU32(static_cast<std::uint32_t>(flags.size()));
  if (!flags.empty()) out.WriteElements(flags.data(), 1, flags.size());
}

void RenumberShotPicture(std::uint8_t graphicKind, std::uint16_t& picture) {
  if (graphicKind == kGraphicKindShot) picture = static_cast<std::uint16_t>(std::min(picture + 1, 119));
}
