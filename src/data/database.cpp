#include "data/database.h"

#include <memory>
#include <utility>

#include "core/message_boxes.h"
#include "core/record_file.h"
#include "data/data_read_context.h"
#include "data/project_paths.h"

cDatabase Database;
AnimeStepTable AnimeStepTables;
AnimeStepTable EffectStepTables;

namespace {

constexpr const char* kLoadFailed = "%s のロードに失敗！";

// Reads one database file over a copy of its list, so that a broken file leaves the list as
// it was. A file without records still leaves one: entry 0 is looked up as "none" everywhere.
template <typename T>
bool LoadList(cVector<T>& list, int pathRow) {
  const char* path = ProjectPaths[pathRow];
  std::unique_ptr<RecordReader> file = DataFileOpenRead(path);
  cVector<T> read = list;
  const bool ok = file && ReadRecordListKeep(read, *file);
  DataFileClose(file);
  if (!ok) {
    ErrorBoxF(kLoadFailed, path);
    return false;
  }
  if (StripCRFlag) {
    for (T& record : read) record.StripCR();
  }
  if (read.empty()) read.push_back(RecordListDefault<T>());
  list = std::move(read);
  return true;
}

template <typename T>
void SetCount(cVector<T>& list, std::size_t count) {
  list.assign(count, T());
}

}  // namespace

cDatabase::cDatabase() { SetDefaults(); }

void cDatabase::RegisterFields(std::int32_t /*version*/) { ResetFieldLists(); }

void cDatabase::SetDefaults() {
  Clear();
  SetCount(AnimeSets, 1);
  SetCount(Animes, 2);
  Animes[0].strName = "なし";
  Animes[1].strName = "アクションA";
  SetCount(CharaBitmaps, 2);
  SetCount(SwordTypes, 1);
  SetCount(Effects, 2);
  SetCount(CharaEffects, 2);
  SetCount(ScrEffects, 2);
  SetCount(Pictures, 2);
  SetCount(Sounds, 2);
  SetCount(Bgms, 2);
}

int cDatabase::Load() {
  const bool ok = LoadList(AnimeSets, kPathAnimeSetDb) && LoadList(Animes, kPathAnimeDb) &&
                  LoadList(CharaBitmaps, kPathBmpCharaExcDb) && LoadList(SwordTypes, kPathSwordTypeDb) &&
                  LoadList(Effects, kPathEffectDb) && LoadList(CharaEffects, kPathCharaEffectDb) &&
                  LoadList(ScrEffects, kPathScrEffectDb) && LoadList(Pictures, kPathPictureDb) &&
                  LoadList(Sounds, kPathSoundDb) && LoadList(Bgms, kPathBgmDb);
  if (!ok) return 0;
  // Entry 0 is "no effect", whatever the file stored.
  CharaEffects[0].nKind = 0;
  ScrEffects[0].nKind = 0;
  return 1;
}

void cDatabase::CopyEffectsForBackwards() {
  AssignRecordList(CharaEffectsBack, CharaEffects);
  AssignRecordList(ScrEffectsBack, ScrEffects);
}

void cDatabase::FillReadContext(DataReadContext& context) const {
  const auto count = [](const auto& list) { return static_cast<std::int32_t>(list.size()); };
  context.database = DatabaseCounts{count(AnimeSets), count(Animes),  count(CharaBitmaps),
                                    count(Effects),   count(CharaEffects), count(ScrEffects),
                                    count(Pictures),  count(Sounds),   count(Bgms)};
  context.swordPartDurations.clear();
  for (const cEdSwordType& sword : SwordTypes) {
    std::vector<std::int32_t>& durations = context.swordPartDurations.emplace_back();
    for (const cEdSwordPart& part : sword.Parts) durations.push_back(part.nDuration);
  }
}

namespace {

// Frames of any record with a cell and a duration; `held` tells whether step k holds.
template <typename Frames, typename Held>
cVector<AnimeStep> StepsOf(const Frames& frames, bool none, Held held) {
  cVector<AnimeStep> steps;
  steps.reserve(frames.size() + 1);
  for (std::size_t k = 0; k < frames.size(); ++k) {
    const auto& frame = frames[static_cast<int>(k)];
    if (none) {
      steps.push_back({frame.nCell, 0, 1});
    } else {
      steps.push_back({frame.nCell, frame.nDuration * kTicksPerTenth, held(k) ? 1 : 0});
    }
  }
  steps.push_back(none ? AnimeStep{kAnimeLoop, 0, 1} : AnimeStep{kAnimeEnd, 0, 0});
  return steps;
}

}  // namespace

void BuildAnimeFrameTables(AnimeStepTable& tables, const cVector<cEdAnime>& animes) {
  tables.assign(animes.size(), {});
  for (std::size_t i = 0; i < animes.size(); ++i) {
    const cVector<cEdAnimeFrame>& frames = animes[static_cast<int>(i)].Frames;
    // From the first held frame on, every step holds.
    std::size_t firstHeld = frames.size();
    for (std::size_t k = 0; k < frames.size(); ++k) {
      if (frames[static_cast<int>(k)].bHold) {
        firstHeld = k;
        break;
      }
    }
    tables[static_cast<int>(i)] = StepsOf(frames, i == 0, [firstHeld](std::size_t k) { return k >= firstHeld; });
  }
}

void BuildEffectFrameTables(AnimeStepTable& tables, const cVector<cEdEffect>& effects) {
  tables.assign(effects.size(), {});
  for (std::size_t i = 0; i < effects.size(); ++i) {
    tables[static_cast<int>(i)] = StepsOf(effects[static_cast<int>(i)].Frames, i == 0, [](std::size_t) { return false; });
  }
}
