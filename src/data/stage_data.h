#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/checked_sequence.h"
#include "core/record_base.h"
#include "data/sys_mode_entry.h"
#include "data/data_read_context.h"
#include "data/ed_background.h"
#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_item.h"
#include "data/ed_stage_string.h"
#include "data/stage_param.h"

// The five range records of a stage, in file order.
enum StageRange : int {
  kRangeEraseCharas = 0,
  kRangeEraseBlockCharas = 1,
  kRangeEraseItems = 2,
  kRangePlayerShots = 3,
  kRangeOtherShots = 4,
  kStageRangeCount = 5,
};

// A stage enables the same ranking kinds a play mode keeps (RankKind), one flag each.
constexpr int kStageRankingCount = kRankKindCount;

// Every stage file ends with this word (bytes 15 CD 5B 07); files from 174 on are refused
// without it.
constexpr std::uint32_t kStageTrailer = 123456789;
constexpr std::int32_t kStageTrailerRead = 173;
constexpr std::int32_t kStageTrailerChecked = 174;

// Stage sizes in cells: generous for any stage, small enough that the play field of a stage
// can always be built. The cell count includes the margin of 10 cells on every side.
constexpr std::int32_t kMaxStageSide = 8192;
constexpr std::int64_t kMaxStageCells = std::int64_t{1} << 21;
constexpr std::int32_t kStageMargin = 10;

// One playable level: its settings, its own palette, the placed blocks, characters and items,
// the backgrounds and its texts. Sizes and cell positions are in 32-pixel cells.
class cStageData : public cData {
 public:
  cStageData();
  cStageData(const cStageData&) = default;
  cStageData(cStageData&&) = default;
  cStageData& operator=(const cStageData&) = default;
  cStageData& operator=(cStageData&&) = default;

  void RegisterFields(std::int32_t version) override;
  // A stage file's body. Fails on a broken file and on a size beyond the limits above; the
  // record is then partly overwritten, so loads read into a record of their own.
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;
  // The stage as it was when play began: the settings, ranges, backgrounds and texts of
  // `start` with the palettes and placements of this stage.
  void WriteSnapshot(RecordWriter& out, cStageData& start);

  // A new stage: one empty entry in each palette list, one filling background, every ranking.
  void Reset();
  // Limits inside the map, the derived physics values, a music that exists, palettes of two
  // entries at least, and every definition's references checked.
  void Normalize(const DataReadContext& context);
  void SetHitLevel(std::int32_t level);

  // The first placed character with a picture that the player operates; -1 when none.
  int FindHero() const;
  bool HasHero() const { return FindHero() != -1; }

  // What play may change and a restart restores: the registered fields and the text, the
  // backgrounds, the texts, the ranges and the ranking flags.
  void AssignStartState(cStageData& source);
  void ClearPalettesAndPlacements();
  // The stage's own palette as definitions look it up.
  PaletteLists PaletteView() const { return PaletteLists{&PalBlocks, &PalCharas, &PalItems}; }

  // Registered fields, in file order.
  std::int32_t nWidth = 0;
  std::int32_t nEditorSetting1 = 0;  // the authoring tool's; play never reads it
  std::int32_t nEditorSetting2 = 0;
  std::int32_t nHeight = 0;
  std::int32_t bLimitLeft = 0;
  std::int32_t bLimitRight = 0;
  std::int32_t bLimitTop = 0;
  std::int32_t bLimitBottom = 0;
  std::int32_t nLimitLeft = 0;    // at most width - 20
  std::int32_t nLimitRight = 0;   // at most width - 1
  std::int32_t nLimitTop = 0;     // at most height - 15
  std::int32_t nLimitBottom = 0;  // at most height - 1
  std::int32_t nFrameRate = 0;
  std::int32_t bTimeLimit = 0;
  std::int32_t nTimeLimit = 0;    // seconds
  std::int32_t nTimeWarning = 0;  // seconds left from which the time display warns
  std::int32_t nScrollModeX = 0;  // 0 follows the hero, 1 scrolls by itself
  std::int32_t nScrollModeY = 0;
  std::int32_t nAutoScrollX = 0;  // tenths of a pixel per frame
  std::int32_t nAutoScrollY = 0;
  double dGravity = 0.0;  // pixels per frame squared
  std::int32_t nHitLevel = 0;
  std::int32_t nShotTestLevel = 0;  // sub-steps that test shots against characters; 0 all
  std::int32_t nBgm = 0;            // index into the database's music list
  std::int32_t bBgmLoop = 0;
  std::int32_t bKeepBgm = 0;          // a fresh start leaves this music playing when it already plays
  std::int32_t bLayered = 0;          // eight draw layers instead of one
  std::int32_t bApplyHeroStatus = 0;  // the hero takes the status carried in the save data
  std::int32_t bStoreStatus = 0;      // a clear stores the players' status in the save data
  std::int32_t bShowStatus = 0;
  std::int32_t bNoClearDisplay = 0;  // a clear offers no ranking, totals or pause
  std::int32_t bStageBanner = 0;
  std::int32_t bSecondBanner = 0;
  std::int32_t bClearBanner = 0;
  std::int32_t bGameOverBanner = 0;
  // Boxes: width and height, walking then flying where a pair is given for both. Alignment
  // flags: 1 bottom-aligned in the cell, 0 centred. Display modes: 0 hidden, 1 shown, 2
  // outline; colours 0 red .. 7 rainbow; each for the terrain, body, shot and item boxes.
  std::int32_t nHeroTerrainBox[4] = {};
  std::int32_t nHeroBodyWalk[2] = {};
  std::int32_t nHeroBodyFly[2] = {};
  std::int32_t nHeroShotBox[2] = {};
  std::int32_t nHeroItemBox[2] = {};
  std::int32_t bHeroTerrainAlign[2] = {};
  std::int32_t bHeroBodyAlign[2] = {};
  std::int32_t nHeroBoxShow[4] = {};
  std::int32_t nHeroBoxColor[4] = {};
  std::int32_t nCharaTerrainBox[4] = {};
  std::int32_t nCharaBodyWalk[2] = {};
  std::int32_t nCharaBodyFly[2] = {};
  std::int32_t nCharaShotBox[2] = {};
  std::int32_t bCharaTerrainAlign[2] = {};
  std::int32_t bCharaBodyAlign[2] = {};
  std::int32_t nItemBox[2] = {};
  std::int32_t nHeroShotHitBox[2] = {};   // also the hero's body box for box basis 2
  std::int32_t nUnusedBox1[2] = {};       // play never reads these
  std::int32_t nCharaShotHitBox[2] = {};  // also a character's body box for box basis 2
  std::int32_t nUnusedBox2[3] = {};
  std::int32_t nMapPixelWidth = 0;
  std::int32_t nMapPixelHeight = 0;
  // Derived from the hit level whenever the stage is normalised, whatever the file holds.
  std::int32_t nSubSteps = 0;
  double dSubSteps = 0.0;
  double dSubStepsSquared = 0.0;
  double dSpeedLimit = 0.0;
  double dGravityPerStep = 0.0;
  double dSpeedLimitPerStep = 0.0;
  std::int32_t nSubSteps8 = 0;
  std::int32_t bOnScreenHitsOnly = 0;
  // In frames; multiplied by the sub-steps when used.
  std::int32_t nHeroSameAttackerTime = 0;
  std::int32_t nHeroInvincibleTime = 0;
  std::int32_t nCharaSameAttackerTime = 0;
  std::int32_t nCharaInvincibleTime = 0;
  std::string strText;  // play never reads it

  cVector<std::int32_t> RankFlags;  // non-zero enables that ranking
  std::array<cStageParam, kStageRangeCount> Ranges;
  cVector<cEdBlock> PalBlocks;
  cVector<cEdChara> PalCharas;
  cVector<cEdItem> PalItems;
  cVector<cEdBlock> Blocks;
  cVector<cEdChara> Charas;
  cVector<cEdItem> Items;
  cVector<cEdBackground> Backgrounds;
  cVector<cEdStageString> Strings;

  // Run time only.
  std::int32_t nSubSteps6 = 0;
  std::string strLoadPath;  // relative to the game folder
  std::int32_t bFindNewest = 0;
  std::int32_t bLoadDone = 0;
  std::int32_t nReserved = 0;

 private:
  void AddInts(std::int32_t* first, int count);
  bool SizeWithinLimits() const;
  bool ReadBody(RecordReader& in, DataReadContext& context);
  void WriteBody(RecordWriter& out, cStageData& settings);
  void Migrate(std::int32_t version);
  void SetDefaults();
};

// The stage being played, and its state as loaded (without palettes or placements), which a
// restart restores and a replay records.
extern cStageData StageCur;
extern cStageData StageStart;
