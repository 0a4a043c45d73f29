#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "core/record_reader.h"
#include "core/record_writer.h"

// Pieces of the file form shared by the block, character and item definitions.

// The 16-bit cell coordinates of a placement.
bool ReadCellPosition(std::int16_t& x, std::int16_t& y, RecordReader& in);
void WriteCellPosition(std::int16_t x, std::int16_t y, RecordWriter& out);

// A u32 count, then one byte per inherit flag; the vector takes the file's count.
bool ReadInheritFlags(cVector<std::uint8_t>& flags, RecordReader& in);
void WriteInheritFlags(const cVector<std::uint8_t>& flags, RecordWriter& out);

// Files before 219 counted the shot pictures from 0; they now start at 1 and end at 119.
constexpr std::int32_t kShotPictureRenumbered = 219;
constexpr std::uint8_t kGraphicKindShot = 3;
void RenumberShotPicture(std::uint8_t graphicKind, std::uint16_t& picture);
