#include "data/stage_data.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "data/hit_level.h"
#include "data/palette_lists.h"

cStageData StageCur;
cStageData StageStart;

namespace {

constexpr double kDefaultGravity = 0.4;

// A placement list: a count, then each record behind a 32-bit word that is written as 0 and
// means nothing on reading.
template <typename T>
bool ReadPlacementList(cVector<T>& list, RecordReader& in) {
  RecordReader::Nesting nesting(in);
  std::int32_t count = 0;
  if (!nesting || !in.ReadCount(count, 4 + kMinRecordBytes)) return false;
  list.clear();
  const T element = RecordListDefault<T>();
  for (std::int32_t i = 0; i < count; ++i) {
    if (!ReadMayGoOn(in) || !in.Skip(4)) return false;
    list.push_back(element);
    if (!list.back().Read(in)) return false;
  }
  return true;
}

template <typename T>
void WritePlacementList(cVector<T>& list, RecordWriter& out) {
  out.WriteU32(static_cast<std::uint32_t>(list.size()));
  for (T& record : list) {
    out.WriteU32(0);
    record.Write(out);
  }
}

void LimitTo(std::int32_t& value, std::int32_t bound) {
  if (value > bound) value = bound;
}

}  // namespace

cStageData::cStageData() {
  RegisterFields(kRecordVersion);
  Reset();
}

void cStageData::AddInts(std::int32_t* first, int count) {
  for (int i = 0; i < count; ++i) AddInt(first + i);
}

void cStageData::RegisterFields(std::int32_t version) {
  ResetFieldLists();
  AddInt(&nWidth);
  AddInt(&nEditorSetting1);
  AddInt(&nEditorSetting2);
  AddInt(&nHeight);
  AddInt(&bLimitLeft);
  AddInt(&bLimitRight);
  AddInt(&bLimitTop);
  AddInt(&bLimitBottom);
  AddInt(&nLimitLeft);
  AddInt(&nLimitRight);
  AddInt(&nLimitTop);
  AddInt(&nLimitBottom);
  AddInt(&nFrameRate);
  AddInt(&bTimeLimit);
  AddInt(&nTimeLimit);
  AddInt(&nTimeWarning);
  AddInt(&nScrollModeX);
  AddInt(&nScrollModeY);
  AddInt(&nAutoScrollX);
  AddInt(&nAutoScrollY);
  AddDouble(&dGravity);
  AddInt(&nHitLevel);
  AddInt(&nShotTestLevel);
  AddInt(&nBgm);
  if (version >= 166) AddInt(&bBgmLoop);
  if (version >= 199) AddInt(&bKeepBgm);
  AddInt(&bLayered);
  AddInt(&bApplyHeroStatus);
  AddInt(&bStoreStatus);
  if (version >= 183) AddInt(&bShowStatus);
  if (version >= 184) AddInt(&bNoClearDisplay);
  AddInt(&bStageBanner);
  if (version >= 225) AddInt(&bSecondBanner);
  AddInt(&bClearBanner);
  AddInt(&bGameOverBanner);
  // Terrain boxes came with 200, flying body boxes with 155.
  const bool terrain = version >= 200;
  const bool flying = version >= 155;
  if (terrain) AddInts(nHeroTerrainBox, 4);
  AddInts(nHeroBodyWalk, 2);
  if (flying) AddInts(nHeroBodyFly, 2);
  AddInts(nHeroShotBox, 2);
  AddInts(nHeroItemBox, 2);
  if (terrain) AddInts(bHeroTerrainAlign, 2);
  if (flying) AddInts(bHeroBodyAlign, 2);
  if (terrain) AddInt(&nHeroBoxShow[0]);
  AddInts(nHeroBoxShow + 1, 3);
  if (terrain) AddInt(&nHeroBoxColor[0]);
  AddInts(nHeroBoxColor + 1, 3);
  if (terrain) AddInts(nCharaTerrainBox, 4);
  AddInts(nCharaBodyWalk, 2);
  if (flying) AddInts(nCharaBodyFly, 2);
  AddInts(nCharaShotBox, 2);
  if (terrain) AddInts(bCharaTerrainAlign, 2);
  if (flying) AddInts(bCharaBodyAlign, 2);
  AddInts(nItemBox, 2);
  AddInts(nHeroShotHitBox, 2);
  AddInts(nUnusedBox1, 2);
  AddInts(nCharaShotHitBox, 2);
  AddInts(nUnusedBox2, 3);
  AddInt(&nMapPixelWidth);
  AddInt(&nMapPixelHeight);
  AddInt(&nSubSteps);
  AddDouble(&dSubSteps);
  AddDouble(&dSubStepsSquared);
  AddDouble(&dSpeedLimit);
  AddDouble(&dGravityPerStep);
  AddDouble(&dSpeedLimitPerStep);
  AddInt(&nSubSteps8);
  AddInt(&bOnScreenHitsOnly);
  AddInt(&nHeroSameAttackerTime);
  AddInt(&nHeroInvincibleTime);
  AddInt(&nCharaSameAttackerTime);
  AddInt(&nCharaInvincibleTime);
  AddStrings(&strText);
}

void cStageData::SetDefaults() {
  nFrameRate = 60;
  nTimeLimit = 200;
  nTimeWarning = 20;
  dGravity = kDefaultGravity;
  nHitLevel = 10;
  bLayered = 1;
  bShowStatus = 1;
  bSecondBanner = 1;
  bClearBanner = 1;
  bGameOverBanner = 1;
  const auto set = [](std::int32_t* values, std::initializer_list<std::int32_t> list) {
    for (const std::int32_t v : list) *values++ = v;
  };
  set(nHeroTerrainBox, {16, 24, 16, 16});
  set(nHeroBodyWalk, {16, 24});
  set(nHeroBodyFly, {16, 16});
  set(nHeroShotBox, {12, 8});
  set(nHeroItemBox, {16, 16});
  set(bHeroTerrainAlign, {1, 0});
  set(bHeroBodyAlign, {1, 0});
  set(nCharaTerrainBox, {16, 24, 16, 16});
  set(nCharaBodyWalk, {12, 24});
  set(nCharaBodyFly, {12, 16});
  set(nCharaShotBox, {30, 30});
  set(bCharaTerrainAlign, {1, 0});
  set(bCharaBodyAlign, {1, 0});
  set(nItemBox, {28, 28});
  set(nHeroShotHitBox, {16, 16});
  set(nUnusedBox1, {16, 16});
  set(nCharaShotHitBox, {16, 16});
  set(nUnusedBox2, {16, 16, 1});
  bOnScreenHitsOnly = 1;
  nHeroSameAttackerTime = 30;
  nCharaSameAttackerTime = 30;
}

void cStageData::Reset() {
  cData::Clear();
  SetDefaults();
  // The derived values of a stage that was never loaded are those of its level all the same.
  SetHitLevel(nHitLevel);
  nReserved = 0;
  Blocks.clear();
  Charas.clear();
  Items.clear();
  PalBlocks.assign(1, cEdBlock());
  PalCharas.assign(1, cEdChara());
  PalItems.assign(1, cEdItem());
  Backgrounds.assign(1, cEdBackground());
  Backgrounds[0].bFill = 1;
  Strings.clear();
  RankFlags.assign(kStageRankingCount, 1);
  for (cStageParam& range : Ranges) range.Set(0, 0, 0, 0, 0, 0, 0, 0);
  Ranges[kRangePlayerShots].Set(1, 1, 1, 1, 0, 0, 0, 0);
  Ranges[kRangeOtherShots].Set(1, 1, 1, 1, 10, 10, 10, 10);
}

bool cStageData::SizeWithinLimits() const {
  const auto side = [](std::int32_t cells) { return cells >= 1 && cells <= kMaxStageSide; };
  if (!side(nWidth) || !side(nHeight)) return false;
  const std::int64_t field = std::int64_t{nWidth + 2 * kStageMargin} * (nHeight + 2 * kStageMargin);
  return field <= kMaxStageCells;
}

bool cStageData::Read(RecordReader& in) {
  // Stage-palette references of the records read here name this stage's own palette.
  DataReadContext context = DataContextOf(in);
  context.stagePalette = PaletteView();
  const RecordContext* outer = in.Context();
  in.SetContext(&context);
  const bool ok = ReadBody(in, context);
  in.SetContext(outer);
  return ok;
}

bool cStageData::ReadBody(RecordReader& in, DataReadContext& context) {
  if (!cData::Read(in)) return false;
  if (!SizeWithinLimits()) return in.Fail("stage size beyond the limits");
  if (!ReadValueList(RankFlags, in)) return false;
  for (cStageParam& range : Ranges) {
    if (!range.Read(in)) return false;
  }
  PaletteLists& palette = context.stagePalette;
  if (!ReadBlockList(PalBlocks, in, palette) || !ReadCharaList(PalCharas, in, palette) ||
      !ReadItemList(PalItems, in, palette)) {
    return false;
  }
  ResetPaletteEntryZero(PalBlocks, PalCharas, PalItems);
  if (!ReadPlacementList(Blocks, in) || !ReadPlacementList(Charas, in) || !ReadPlacementList(Items, in)) return false;
  if (!ReadBackgroundList(Backgrounds, in) || !ReadStageStringList(Strings, in)) return false;
  // The trailer is read from 173 on; the loader checks it before the read.
  std::uint32_t trailer = 0;
  if (in.Version() >= kStageTrailerRead && !in.ReadU32(trailer)) return false;
  if (in.Version() < kRecordVersion) Migrate(in.Version());
  Normalize(context);
  return true;
}

void cStageData::Migrate(std::int32_t v) {
  if (v < 155) {
    std::copy_n(nHeroBodyWalk, 2, nHeroBodyFly);
    std::copy_n(nCharaBodyWalk, 2, nCharaBodyFly);
    bHeroBodyAlign[0] = bHeroBodyAlign[1] = 0;
    bCharaBodyAlign[0] = bCharaBodyAlign[1] = 0;
  }
  if (v < 166) bBgmLoop = 1;
  if (v <= 180) {
    // The remaining HP and SP rankings came after 180.
    RankFlags.resize(kStageRankingCount, 0);
    RankFlags[kRankHpLeft] = 0;
    RankFlags[kRankSpLeft] = 0;
  }
  if (v < 183) bShowStatus = 1;
  if (v < 184) bNoClearDisplay = 0;
  if (v < 199) bKeepBgm = 0;
  if (v < 200) {
    const std::int32_t heroTerrain[4] = {16, 24, 16, 16};
    const std::int32_t charaTerrain[4] = {16, 30, 16, 30};
    std::copy_n(heroTerrain, 4, nHeroTerrainBox);
    std::copy_n(charaTerrain, 4, nCharaTerrainBox);
    bHeroTerrainAlign[0] = 1;
    bHeroTerrainAlign[1] = 0;
    nHeroBoxShow[0] = 0;
    nHeroBoxColor[0] = 5;
    bCharaTerrainAlign[0] = 1;
    bCharaTerrainAlign[1] = 1;
  }
  if (v < 208) nReserved = 0;
  if (v <= 224) bSecondBanner = 0;
}

void cStageData::Normalize(const DataReadContext& context) {
  LimitTo(nLimitLeft, nWidth - 20);
  LimitTo(nLimitRight, nWidth - 1);
  LimitTo(nLimitTop, nHeight - 15);
  LimitTo(nLimitBottom, nHeight - 1);
  if (!std::isfinite(dGravity)) dGravity = kDefaultGravity;
  SetHitLevel(nHitLevel);
  if (static_cast<std::uint32_t>(nBgm) >= static_cast<std::uint32_t>(context.database.bgms)) nBgm = 0;
  PadPalette(PalBlocks, PalCharas, PalItems);
  ValidateDefinitions(PalBlocks, PalCharas, PalItems, context);
  ValidateDefinitions(Blocks, Charas, Items, context);
}

void cStageData::SetHitLevel(std::int32_t level) {
  nHitLevel = level;
  const HitLevelUnits units = HitLevelUnitsOf(level, dGravity);
  nSubSteps = units.subSteps;
  nSubSteps6 = units.subSteps6;
  nSubSteps8 = units.subSteps8;
  dSubSteps = units.dSubSteps;
  dSubStepsSquared = units.dSubStepsSquared;
  dSpeedLimit = units.dSpeedLimit;
  dGravityPerStep = units.dGravityPerStep;
  dSpeedLimitPerStep = units.dSpeedLimitPerStep;
}

void cStageData::Write(RecordWriter& out) {
  Normalize(ProjectDataContext());
  WriteBody(out, *this);
}

void cStageData::WriteSnapshot(RecordWriter& out, cStageData& start) {
  Normalize(ProjectDataContext());
  WriteBody(out, start);
}

void cStageData::WriteBody(RecordWriter& out, cStageData& settings) {
  settings.cData::Write(out);
  WriteValueList(settings.RankFlags, out);
  for (cStageParam& range : settings.Ranges) range.Write(out);
  WriteRecordList(PalBlocks, out);
  WriteRecordList(PalCharas, out);
  WriteRecordList(PalItems, out);
  WritePlacementList(Blocks, out);
  WritePlacementList(Charas, out);
  WritePlacementList(Items, out);
  WriteRecordList(settings.Backgrounds, out);
  WriteRecordList(settings.Strings, out);
  out.WriteU32(kStageTrailer);
}

int cStageData::FindHero() const {
  for (std::size_t i = 0; i < Charas.size(); ++i) {
    const cEdChara& chara = Charas[static_cast<int>(i)];
    if (chara.nPicture != 0 && chara.nOperator == 0) return static_cast<int>(i);
  }
  return -1;
}

void cStageData::AssignStartState(cStageData& source) {
  Assign(source);
  AssignRecordList(Backgrounds, source.Backgrounds);
  AssignRecordList(Strings, source.Strings);
  Ranges = source.Ranges;
  RankFlags = source.RankFlags;
}

void cStageData::ClearPalettesAndPlacements() {
  PalBlocks.clear();
  PalCharas.clear();
  PalItems.clear();
  Blocks.clear();
  Charas.clear();
  Items.clear();
}
