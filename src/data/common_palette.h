#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "core/record_base.h"
#include "data/data_read_context.h"
#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_item.h"

// The block, character and item definitions shared by every stage of the project
// (data\CommonPalette.cplt4). Entry 0 of each list is the empty entry.
class cCommonPalette : public cData {
 public:
  cCommonPalette();
  cCommonPalette(const cCommonPalette&) = default;
  cCommonPalette(cCommonPalette&&) = default;
  cCommonPalette& operator=(const cCommonPalette&) = default;
  cCommonPalette& operator=(cCommonPalette&&) = default;

  // No fields and no strings: the record is its three lists.
  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  // Lists of two entries at least, and every entry's references checked.
  void Normalize(const DataReadContext& context);
  PaletteLists PaletteView() const { return PaletteLists{&Blocks, &Charas, &Items}; }

  cVector<cEdBlock> Blocks;
  cVector<cEdChara> Charas;
  cVector<cEdItem> Items;

 private:
  bool ReadBody(RecordReader& in, DataReadContext& context);
};

extern cCommonPalette CommonPalette;

// Start-up's read of the common palette. The file is read into a record of its own and
// becomes CommonPalette only once it has read whole; definitions read afterwards resolve
// common-palette references against it. 0 when the file cannot be opened or is broken.
int LoadCommonPalette();
