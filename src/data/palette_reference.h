#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "data/data_read_context.h"

// A palette reference is a source (0 none, 1 common palette, 2 stage palette) and an index into
// the list of the record's own kind in that palette. Entry 0 of every list is the empty entry.

enum class PaletteKind { Block, Chara, Item };

// A negative index is out of range like one past the end.
inline bool PaletteIndexInRange(std::int32_t index, std::int32_t count) { return index >= 0 && index < count; }

// The count of the list of that kind in the palette of the source; -1 when the source names
// no palette.
std::int32_t PaletteCount(const DataReadContext& context, int source, PaletteKind kind);

// A reference past the end of its list becomes none (source and index 0); a source that names
// no palette is left alone.
void ValidatePaletteRef(std::uint8_t& source, std::int16_t& index, const DataReadContext& context, PaletteKind kind);

// The item of a palette entry, or nothing when the source names no palette or the index lies
// outside its item list.
const cEdItem* GetPaletteItem(int source, int index, const DataReadContext& context);
const cEdItem* GetPaletteItem(int source, int index);

// Inheritance: the property groups whose flags are set are copied from the referenced entry.
template <typename T>
using InheritCopier = void (*)(T& record, const T& donor);

// The entry a record takes its groups from: none for a record without a reference, or one
// whose reference lies past the end of its list (its source then becomes 0), or one that names
// its own position; the record itself for a source that names no palette.
template <typename T>
const T* InheritDonor(T& record, const T* (PaletteLists::*entry)(std::int32_t) const, const DataReadContext& context) {
  if (record.nPalIndex == 0 || record.nPalSource == 0) return nullptr;
  const PaletteLists* palette = context.Palette(record.nPalSource);
  if (!palette) return &record;
  const T* donor = (palette->*entry)(record.nPalIndex);
  if (!donor) {
    record.nPalSource = 0;
    return nullptr;
  }
  return donor == &record ? nullptr : donor;
}

// Copier g runs when flag g is set, in table order, as far as both the flags and the table go.
template <typename T, std::size_t N>
void RunInheritCopiers(T& record, const T& donor, const InheritCopier<T> (&table)[N]) {
  const std::size_t groups = std::min(N, record.inheritFlags.size());
  for (std::size_t g = 0; g < groups; ++g) {
    if (record.inheritFlags[static_cast<int>(g)] != 0) table[g](record, donor);
  }
}

// Groups 0 and 1 of blocks and items (group 0 and 4 of characters): the name, and the
// appearance conditions with their rule and once-only flag.
template <typename T>
void InheritName(T& record, const T& donor) {
  record.strName = donor.strName;
}

template <typename T>
void InheritConditions(T& record, const T& donor) {
  record.conditions = donor.conditions;
  record.nCondRule = donor.nCondRule;
  record.bCondOnce = donor.bCondOnce;
}
