#pragma once

// Stage files written by hand, independently of the stage record: the stage's registered
// fields transcribed from its layout (order, width, first version), samples that every check
// of the reader leaves alone, and builders of whole stage bodies at any version.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/stage_data.h"
#include "data_test_support.h"
#include "field_tables.h"

namespace stagetest {

using datatest::ByteBuilder;
using datatest::FieldTable;
using Values = std::vector<std::pair<std::string, std::int64_t>>;

// Field k of the layout holds sample k where the reader allows it. The map is 200 × 40 cells,
// the hit level 12 with gravity 0.5, so the derived values are those of 2 sub-steps: 2, 2.0,
// 4.0, speed limit 60.0, gravity 0.125 and speed limit 30.0 per sub-step, 16.
inline const FieldTable<cStageData>& StageFields() {
  using T = cStageData;
  static const FieldTable<T> table = {
      KFIELD(T, nWidth, 4, 0, -1, 200),
      KFIELD(T, nEditorSetting1, 4, 0, -1, 2),
      KFIELD(T, nEditorSetting2, 4, 0, -1, 3),
      KFIELD(T, nHeight, 4, 0, -1, 40),
      KFIELD(T, bLimitLeft, 4, 0, -1, 5),
      KFIELD(T, bLimitRight, 4, 0, -1, 6),
      KFIELD(T, bLimitTop, 4, 0, -1, 7),
      KFIELD(T, bLimitBottom, 4, 0, -1, 8),
      KFIELD(T, nLimitLeft, 4, 0, -1, 9),
      KFIELD(T, nLimitRight, 4, 0, -1, 10),
      KFIELD(T, nLimitTop, 4, 0, -1, 11),
      KFIELD(T, nLimitBottom, 4, 0, -1, 12),
      KFIELD(T, nFrameRate, 4, 0, -1, 13),
      KFIELD(T, bTimeLimit, 4, 0, -1, 14),
      KFIELD(T, nTimeLimit, 4, 0, -1, 15),
      KFIELD(T, nTimeWarning, 4, 0, -1, 16),
      KFIELD(T, nScrollModeX, 4, 0, -1, 17),
      KFIELD(T, nScrollModeY, 4, 0, -1, 18),
      KFIELD(T, nAutoScrollX, 4, 0, -1, 19),
      KFIELD(T, nAutoScrollY, 4, 0, -1, 20),
      KDOUBLE(T, dGravity, 0, -1, 4),
      KFIELD(T, nHitLevel, 4, 0, -1, 12),
      KFIELD(T, nShotTestLevel, 4, 0, -1, 23),
      KFIELD(T, nBgm, 4, 0, -1, 24),
      KFIELD(T, bBgmLoop, 4, 166, -1, 25),
      KFIELD(T, bKeepBgm, 4, 199, -1, 26),
      KFIELD(T, bLayered, 4, 0, -1, 27),
      KFIELD(T, bApplyHeroStatus, 4, 0, -1, 28),
      KFIELD(T, bStoreStatus, 4, 0, -1, 29),
      KFIELD(T, bShowStatus, 4, 183, -1, 30),
      KFIELD(T, bNoClearDisplay, 4, 184, -1, 31),
      KFIELD(T, bStageBanner, 4, 0, -1, 32),
      KFIELD(T, bSecondBanner, 4, 225, -1, 33),
      KFIELD(T, bClearBanner, 4, 0, -1, 34),
      KFIELD(T, bGameOverBanner, 4, 0, -1, 35),
      KFIELD(T, nHeroTerrainBox[0], 4, 200, -1, 36),
      KFIELD(T, nHeroTerrainBox[1], 4, 200, -1, 37),
      KFIELD(T, nHeroTerrainBox[2], 4, 200, -1, 38),
      KFIELD(T, nHeroTerrainBox[3], 4, 200, -1, 39),
      KFIELD(T, nHeroBodyWalk[0], 4, 0, -1, 40),
      KFIELD(T, nHeroBodyWalk[1], 4, 0, -1, 41),
      KFIELD(T, nHeroBodyFly[0], 4, 155, -1, 42),
      KFIELD(T, nHeroBodyFly[1], 4, 155, -1, 43),
      KFIELD(T, nHeroShotBox[0], 4, 0, -1, 44),
      KFIELD(T, nHeroShotBox[1], 4, 0, -1, 45),
      KFIELD(T, nHeroItemBox[0], 4, 0, -1, 46),
      KFIELD(T, nHeroItemBox[1], 4, 0, -1, 47),
      KFIELD(T, bHeroTerrainAlign[0], 4, 200, -1, 48),
      KFIELD(T, bHeroTerrainAlign[1], 4, 200, -1, 49),
      KFIELD(T, bHeroBodyAlign[0], 4, 155, -1, 50),
      KFIELD(T, bHeroBodyAlign[1], 4, 155, -1, 51),
      KFIELD(T, nHeroBoxShow[0], 4, 200, -1, 52),
      KFIELD(T, nHeroBoxShow[1], 4, 0, -1, 53),
      KFIELD(T, nHeroBoxShow[2], 4, 0, -1, 54),
      KFIELD(T, nHeroBoxShow[3], 4, 0, -1, 55),
      KFIELD(T, nHeroBoxColor[0], 4, 200, -1, 56),
      KFIELD(T, nHeroBoxColor[1], 4, 0, -1, 57),
      KFIELD(T, nHeroBoxColor[2], 4, 0, -1, 58),
      KFIELD(T, nHeroBoxColor[3], 4, 0, -1, 59),
      KFIELD(T, nCharaTerrainBox[0], 4, 200, -1, 60),
      KFIELD(T, nCharaTerrainBox[1], 4, 200, -1, 61),
      KFIELD(T, nCharaTerrainBox[2], 4, 200, -1, 62),
      KFIELD(T, nCharaTerrainBox[3], 4, 200, -1, 63),
      KFIELD(T, nCharaBodyWalk[0], 4, 0, -1, 64),
      KFIELD(T, nCharaBodyWalk[1], 4, 0, -1, 65),
      KFIELD(T, nCharaBodyFly[0], 4, 155, -1, 66),
      KFIELD(T, nCharaBodyFly[1], 4, 155, -1, 67),
      KFIELD(T, nCharaShotBox[0], 4, 0, -1, 68),
      KFIELD(T, nCharaShotBox[1], 4, 0, -1, 69),
      KFIELD(T, bCharaTerrainAlign[0], 4, 200, -1, 70),
      KFIELD(T, bCharaTerrainAlign[1], 4, 200, -1, 71),
      KFIELD(T, bCharaBodyAlign[0], 4, 155, -1, 72),
      KFIELD(T, bCharaBodyAlign[1], 4, 155, -1, 73),
      KFIELD(T, nItemBox[0], 4, 0, -1, 74),
      KFIELD(T, nItemBox[1], 4, 0, -1, 75),
      KFIELD(T, nHeroShotHitBox[0], 4, 0, -1, 76),
      KFIELD(T, nHeroShotHitBox[1], 4, 0, -1, 77),
      KFIELD(T, nUnusedBox1[0], 4, 0, -1, 78),
      KFIELD(T, nUnusedBox1[1], 4, 0, -1, 79),
      KFIELD(T, nCharaShotHitBox[0], 4, 0, -1, 80),
      KFIELD(T, nCharaShotHitBox[1], 4, 0, -1, 81),
      KFIELD(T, nUnusedBox2[0], 4, 0, -1, 82),
      KFIELD(T, nUnusedBox2[1], 4, 0, -1, 83),
      KFIELD(T, nUnusedBox2[2], 4, 0, -1, 84),
      KFIELD(T, nMapPixelWidth, 4, 0, -1, 85),
      KFIELD(T, nMapPixelHeight, 4, 0, -1, 86),
      KFIELD(T, nSubSteps, 4, 0, -1, 2),
      KDOUBLE(T, dSubSteps, 0, -1, 16),
      KDOUBLE(T, dSubStepsSquared, 0, -1, 32),
      KDOUBLE(T, dSpeedLimit, 0, -1, 480),
      KDOUBLE(T, dGravityPerStep, 0, -1, 1),
      KDOUBLE(T, dSpeedLimitPerStep, 0, -1, 240),
      KFIELD(T, nSubSteps8, 4, 0, -1, 16),
      KFIELD(T, bOnScreenHitsOnly, 4, 0, -1, 94),
      KFIELD(T, nHeroSameAttackerTime, 4, 0, -1, 95),
      KFIELD(T, nHeroInvincibleTime, 4, 0, -1, 96),
      KFIELD(T, nCharaSameAttackerTime, 4, 0, -1, 97),
      KFIELD(T, nCharaInvincibleTime, 4, 0, -1, 98),
  };
  return table;
}

// Every carried field of a record table: the named values, the others their samples (or 0
// when `samples` is false).
template <typename T>
void PutRecordFields(ByteBuilder& b, const FieldTable<T>& table, std::int32_t version, const Values& values,
                     bool samples) {
  b.fields(static_cast<std::uint32_t>(datatest::CarriedCount(table, version)));
  for (const datatest::FieldSpec<T>& field : table) {
    if (!datatest::Carried(field, version)) continue;
    std::int64_t value = samples ? field.sample : 0;
    for (const auto& [name, v] : values) {
      if (name == field.name) value = v;
    }
    datatest::PutValue(b, field.width, value);
  }
}

// Definitions as the stage's lists hold them: the fields, the name, the cell, no inherit
// flags set (the full count of them), no conditions and no flows or commands.
inline void PutBlock(ByteBuilder& b, std::int32_t version, const Values& values, bool samples,
                     const std::string& name = "", std::int16_t x = 0, std::int16_t y = 0,
                     const std::vector<std::uint8_t>& flags = std::vector<std::uint8_t>(11, 0)) {
  PutRecordFields(b, datatest::BlockFields(), version, values, samples);
  b.strings(1).str(name).i16(x).i16(y).u32(static_cast<std::uint32_t>(flags.size()));
  for (const std::uint8_t f : flags) b.u8(f);
  b.list(0);
}

inline void PutChara(ByteBuilder& b, std::int32_t version, const Values& values, bool samples,
                     const std::string& name = "", std::int16_t x = 0, std::int16_t y = 0,
                     const std::vector<std::uint8_t>& flags = std::vector<std::uint8_t>(37, 0)) {
  PutRecordFields(b, datatest::CharaFields(), version, values, samples);
  b.strings(1).str(name).i16(x).i16(y).i32(0).u32(static_cast<std::uint32_t>(flags.size()));
  for (const std::uint8_t f : flags) b.u8(f);
  b.list(0).list(0);
}

inline void PutItem(ByteBuilder& b, std::int32_t version, const Values& values, bool samples,
                    const std::string& name = "", std::int16_t x = 0, std::int16_t y = 0) {
  PutRecordFields(b, datatest::ItemFields(), version, values, samples);
  b.strings(1).str(name).i16(x).i16(y).u32(13);
  for (int i = 0; i < 13; ++i) b.u8(0);
  b.list(0).list(0);
}

// The records a new entry of each list writes once validated (an empty block never blocks).
inline const Values& DefaultBlockValues() {
  static const Values values = {{"nPassGroup", 255}};
  return values;
}
inline const Values& DefaultCharaValues() {
  static const Values values = {{"nMaxHp", 10},      {"nStopEase", 10},         {"nOperator", 1},    {"nGroup", 1},
                                {"nZ", 3},           {"nStartEffectParam2", 1}, {"nGraphicKind", 1}, {"nGiant", 1},
                                {"bFixedFacing", 1}, {"nEditorSetting", 1}};
  return values;
}
inline const Values& DefaultItemValues() {
  static const Values values = {{"nGraphicKind", 2}, {"bPopUp", 1}, {"nScale", 1}, {"nLayer", 6}};
  return values;
}

// A placed character that the player operates, with a picture: the hero.
inline const Values& HeroValues() {
  static const Values values = {{"nOperator", 0}, {"nPicture", 1}, {"bBlockChara", 0}, {"nCopies", 0}};
  return values;
}

// A background at a version: the fields that version carries (old layouts with the two
// dropped values), and its picture.
inline void PutBackground(ByteBuilder& b, std::int32_t version, std::int32_t fill, double scroll,
                          const std::string& picture) {
  if (version >= 62) {
    b.fields(10).i32(0).i32(fill).i32(17).i32(4).f64(scroll).f64(scroll * 2).i32(1).i32(0).f64(3.5).f64(-2.0);
  } else if (version == 61) {
    b.fields(9).i32(fill).i32(17).i32(4).f64(scroll).f64(scroll * 2).i32(1).i32(0).i32(-7).i32(-8);
  } else {
    b.fields(5).i32(fill).i32(17).i32(4).i32(-7).i32(-8);
  }
  b.strings(1).str(picture);
}

// A range record at a version: the side switches (only the left one before 125) and margins.
inline void PutRange(ByteBuilder& b, std::int32_t version, int index) {
  if (version >= 125) {
    b.fields(8).i32(1).i32(index & 1).i32(0).i32(1);
  } else {
    b.fields(5).i32(1);
  }
  b.i32(index).i32(index + 1).i32(index + 2).i32(index + 3).strings(0);
}

// What a hand-built stage holds besides the usual: each setter returns the recipe for the next.
struct StageRecipe {
  std::int32_t version = kRecordVersion;
  Values fields;  // stage fields whose samples are replaced
  std::vector<std::int32_t> rankFlags = {1, 0, 1, 0, 1};
  std::uint32_t placementWord = 0;
  bool hero = true;
  std::optional<std::uint32_t> trailer;  // by default the stage trailer from 173 on
  std::string blockPalette;              // the whole block palette list, when not the usual one
  Values placedChara;                    // added to the values of the placed character
  std::vector<std::uint8_t> placedCharaFlags = std::vector<std::uint8_t>(37, 0);

  StageRecipe& At(std::int32_t v) { return version = v, *this; }
  StageRecipe& Fields(Values v) { return fields = std::move(v), *this; }
  StageRecipe& Ranks(std::vector<std::int32_t> v) { return rankFlags = std::move(v), *this; }
  StageRecipe& Word(std::uint32_t v) { return placementWord = v, *this; }
  StageRecipe& NoHero() { return hero = false, *this; }
  StageRecipe& Trailer(std::uint32_t v) { return trailer = v, *this; }
  StageRecipe& BlockPalette(std::string v) { return blockPalette = std::move(v), *this; }
  StageRecipe& Placed(Values v, std::vector<std::uint8_t> flags) {
    placedChara = std::move(v);
    placedCharaFlags = std::move(flags);
    return *this;
  }
};

// A stage body: the fields, the text, the ranking flags, the five ranges, palettes of an
// empty entry and a sample entry each, one placed block, the hero (or a computer character),
// one placed item, one background, one text and the trailer.
inline std::string StageBody(const StageRecipe& recipe) {
  const std::int32_t v = recipe.version;
  ByteBuilder b;
  PutRecordFields(b, StageFields(), v, recipe.fields, true);
  b.strings(1).str("ステージ");
  b.list(static_cast<std::uint32_t>(recipe.rankFlags.size()));
  for (const std::int32_t flag : recipe.rankFlags) b.i32(flag);
  for (int i = 0; i < kStageRangeCount; ++i) PutRange(b, v, i);
  if (recipe.blockPalette.empty()) {
    b.list(2);
    PutBlock(b, v, DefaultBlockValues(), false);
    PutBlock(b, v, {}, true, "壁");
  } else {
    b.raw(recipe.blockPalette);
  }
  b.list(2);
  PutChara(b, v, DefaultCharaValues(), false);
  PutChara(b, v, {}, true, "敵");
  b.list(2);
  PutItem(b, v, DefaultItemValues(), false);
  PutItem(b, v, {}, true, "玉");
  b.list(1).u32(recipe.placementWord);
  PutBlock(b, v, {}, true, "", 3, 4);
  b.list(1).u32(recipe.placementWord);
  Values placed = recipe.hero ? HeroValues() : Values{};
  placed.insert(placed.end(), recipe.placedChara.begin(), recipe.placedChara.end());
  PutChara(b, v, placed, true, "主人公", 2, 5, recipe.placedCharaFlags);
  b.list(1).u32(recipe.placementWord);
  PutItem(b, v, {}, true, "", 6, 7);
  b.list(1);
  PutBackground(b, v, 1, 0.25, "back.bmp");
  b.list(1).fields(0).strings(1).str("テキスト");
  if (recipe.trailer) {
    b.u32(*recipe.trailer);
  } else if (v >= kStageTrailerRead) {
    b.u32(kStageTrailer);
  }
  return b.bytes();
}

// The same with the version header: a whole stage file.
inline std::string StageFile(const StageRecipe& recipe) {
  ByteBuilder b;
  b.i32(recipe.version);
  return b.bytes() + StageBody(recipe);
}

}  // namespace stagetest
