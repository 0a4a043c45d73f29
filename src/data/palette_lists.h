#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "core/record_reader.h"
#include "data/data_read_context.h"

class cEdBlock;
class cEdChara;
class cEdItem;

// The list readers of the two palettes (the common palette and a stage's own). Each reads a
// count and then the records one by one over new default records; while it reads, `reading`
// (the palette as the records being read see it) counts the entries not read yet, so that a
// reference to a later entry finds a default record rather than nothing. A read on a thread
// asked to stop ends as a failed read.
bool ReadBlockList(cVector<cEdBlock>& list, RecordReader& in, PaletteLists& reading);
bool ReadCharaList(cVector<cEdChara>& list, RecordReader& in, PaletteLists& reading);
bool ReadItemList(cVector<cEdItem>& list, RecordReader& in, PaletteLists& reading);

// Entry 0 of every palette list is the empty entry: whatever the file holds, it reads as a
// new record of its kind.
void ResetPaletteEntryZero(cVector<cEdBlock>& blocks, cVector<cEdChara>& charas, cVector<cEdItem>& items);

// Palette lists hold at least two records: the empty entry and one to place.
constexpr std::size_t kMinPaletteEntries = 2;
void PadPalette(cVector<cEdBlock>& blocks, cVector<cEdChara>& charas, cVector<cEdItem>& items);

// The checks of every record of three definition lists (a palette, or a stage's placements)
// against the palettes and the database: each record's own reference, a block's item, and
// what the commands of characters and items summon.
void ValidateDefinitions(cVector<cEdBlock>& blocks, cVector<cEdChara>& charas, cVector<cEdItem>& items,
                         const DataReadContext& context);

// Fails the read when the calling thread has been asked to stop: a long read gives way at the
// next record.
bool ReadMayGoOn(RecordReader& in);
