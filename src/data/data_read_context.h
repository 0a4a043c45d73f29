#pragma once

#include <cstdint>
#include <vector>

#include "core/checked_sequence.h"
#include "core/record_reader.h"

class cEdBlock;
class cEdChara;
class cEdItem;

// The three definition lists of one palette (the common palette or the palette of the stage
// being read). A missing list counts as empty.
struct PaletteLists {
  const cVector<cEdBlock>* blocks = nullptr;
  const cVector<cEdChara>* charas = nullptr;
  const cVector<cEdItem>* items = nullptr;
  // While a palette is read, each list grows record by record once its count has been read
  // (a count is never trusted with an allocation). Its entries not read yet still count, and
  // stand as default records, as they would in a list made whole before its records were read.
  std::int32_t blocksDeclared = 0;
  std::int32_t charasDeclared = 0;
  std::int32_t itemsDeclared = 0;

  std::int32_t BlockCount() const;
  std::int32_t CharaCount() const;
  std::int32_t ItemCount() const;
  // The entry of that index: a default record for a declared entry not read yet, none outside
  // the list.
  const cEdBlock* Block(std::int32_t index) const;
  const cEdChara* Chara(std::int32_t index) const;
  const cEdItem* Item(std::int32_t index) const;
};

// Record counts of the database lists that definitions and commands refer to by number.
struct DatabaseCounts {
  std::int32_t animeSets = 0;
  std::int32_t animes = 0;
  std::int32_t charaBitmaps = 0;  // character bitmaps with their own cell layout
  std::int32_t effects = 0;
  std::int32_t charaEffects = 0;
  std::int32_t scrEffects = 0;
  std::int32_t pictures = 0;
  std::int32_t sounds = 0;
  std::int32_t bgms = 0;
};

// Everything the project records consult while they read and validate themselves. Start-up
// and stage loading fill the process-wide one; a reader may carry another.
struct DataReadContext : RecordContext {
  DatabaseCounts database;
  // Per sword type, the durations of its parts in order; its size is the sword-type count.
  std::vector<std::vector<std::int32_t>> swordPartDurations;
  PaletteLists commonPalette;
  PaletteLists stagePalette;  // the live stage, or the stage being read
  std::int32_t FromEditor = 0;      // a test play started by the authoring tool
  std::int32_t bKeepTestFlows = 0;  // the system data's switch that keeps test-play flows

  std::int32_t SwordTypeCount() const { return static_cast<std::int32_t>(swordPartDurations.size()); }
  // Palette 1 is the common palette, 2 the stage's; anything else is none.
  const PaletteLists* Palette(int source) const;
  bool DropsTestPlayFlows() const { return FromEditor == 0 && bKeepTestFlows == 0; }
};

// The process-wide context: what writes, normalisation and the play scene consult.
DataReadContext& ProjectDataContext();

// The context a read goes by: the reader's own when it carries one, else the process-wide one.
const DataReadContext& DataContextOf(const RecordReader& in);
