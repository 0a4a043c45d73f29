#pragma once

// Database records and files written by hand in the layout of any version, so that fixtures
// never come from the classes under test.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace dbfiles {

using testsupport::ByteBuilder;

inline std::string Header(std::int32_t version) { return ByteBuilder().i32(version).bytes(); }

struct Frame {
  std::int32_t cell, duration, hold;
};

// Before 55 an animation stores no field, only its name.
inline std::string AnimeRecord(std::int32_t version, const std::string& name, const std::vector<Frame>& frames,
                               std::array<std::int32_t, 3> editor = {11, 12, 13}) {
  ByteBuilder f;
  if (version >= 55) {
    f.fields(3).i16(static_cast<std::int16_t>(editor[0])).u8(static_cast<std::uint8_t>(editor[1]));
    f.i16(static_cast<std::int16_t>(editor[2]));
  } else {
    f.fields(0);
  }
  f.strings(1).str(name).list(static_cast<std::uint32_t>(frames.size()));
  for (const Frame& frame : frames) f.fields(3).i32(frame.cell).i32(frame.duration).i32(frame.hold).strings(0);
  return f.bytes();
}

// The flying offset is stored from 119 on.
inline std::string AnimeSetRecord(std::int32_t version, std::int32_t invincible, std::int32_t block, std::int32_t flying,
                                  const std::vector<std::string>& motions) {
  ByteBuilder f;
  f.fields(version >= 119 ? 3 : 2).i32(invincible).i32(block);
  if (version >= 119) f.i32(flying);
  f.strings(1).str("set").list(static_cast<std::uint32_t>(motions.size()));
  for (const std::string& motion : motions) f.raw(motion);
  return f.bytes();
}

inline std::string BmpCharaExcRecord(std::int32_t version, std::int32_t editor, std::int32_t large, std::int32_t size) {
  ByteBuilder f;
  f.fields((version >= 152 ? 1 : 0) + (version >= 172 ? 2 : 0));
  if (version >= 152) f.i32(editor);
  if (version >= 172) f.i32(large).i32(size);
  return f.strings(2).str("name").str("chara.bmp").bytes();
}

// Pictures, sounds and music.
inline std::string MediaRecord(std::int32_t version, std::int32_t editor, const std::string& file) {
  ByteBuilder f;
  f.fields(version >= 151 ? 1 : 0);
  if (version >= 151) f.i32(editor);
  return f.strings(2).str("n").str(file).bytes();
}

inline std::string EffectRecord(std::int32_t version, std::int32_t editor, std::int32_t cellWidth,
                                const std::vector<std::pair<std::int32_t, std::int32_t>>& frames) {
  ByteBuilder f;
  f.fields(version >= 151 ? 4 : 3);
  if (version >= 151) f.i32(editor);
  f.i32(cellWidth).i32(32).i32(0).strings(2).str("e").str("fx.bmp");
  f.list(static_cast<std::uint32_t>(frames.size()));
  for (const auto& [cell, duration] : frames) f.fields(2).i32(cell).i32(duration).strings(0);
  return f.bytes();
}

// Parts hold 1, 2, 3, ... in their stored fields: ten from 138 on, eight before (no mirrors).
inline std::string SwordTypeRecord(std::int32_t version, std::int32_t editor, int parts) {
  ByteBuilder f;
  f.fields(version >= 151 ? 1 : 0);
  if (version >= 151) f.i32(editor);
  f.strings(3).str("s").str("l.bmp").str("r.bmp").list(static_cast<std::uint32_t>(parts));
  const int fields = version >= 138 ? 10 : 8;
  for (int p = 0; p < parts; ++p) {
    f.fields(static_cast<std::uint32_t>(fields));
    for (int v = 1; v <= fields; ++v) f.i32(v);
    f.strings(0);
  }
  return f.bytes();
}

// Character and screen effects: the kind and its five parameters (one field of five).
inline std::string ParamEffectRecord(std::int32_t kind, std::array<std::int32_t, 5> params, const std::string& name = "") {
  ByteBuilder f;
  f.fields(2).i32(kind);
  for (std::int32_t p : params) f.i32(p);
  return f.strings(1).str(name).bytes();
}

// A database file: the version, the record count and the records.
inline std::string DatabaseFile(std::int32_t version, const std::vector<std::string>& records) {
  ByteBuilder f;
  f.i32(version).list(static_cast<std::uint32_t>(records.size()));
  for (const std::string& record : records) f.raw(record);
  return f.bytes();
}

}  // namespace dbfiles
