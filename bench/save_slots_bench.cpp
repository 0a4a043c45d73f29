// The story slots on disk: the scan the title's continue list makes of all 99 slots (which must
// fit in a frame), and one save of the live record (a checked write, flushed and renamed).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/record_version.h"
#include "data/save_data.h"
#include "data/save_slots.h"
#include "platform/files/path_resolver.h"

namespace {

namespace fs = std::filesystem;

// A game folder of its own under the temporary folder, the current one while it lives.
class SlotFolder {
 public:
  SlotFolder() {
    std::string pattern = (fs::temp_directory_path() / "kestrel-slots-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    previous_ = fs::current_path();
    fs::create_directories(folder_ / "user_data" / "story");
    fs::current_path(folder_);
    platform::GameFolder().Forget();
    CurrentVersion = kRecordVersion;
  }
  ~SlotFolder() {
    fs::current_path(previous_);
    platform::GameFolder().Forget();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

 private:
  fs::path folder_;
  fs::path previous_;
};

// A record well into a game: fifty stages cleared, their best values, a carried hero.
void FillProgress(cSaveData& save) {
  save.Reset();
  for (int i = 0; i < 50; ++i) {
    save.m_StageCleared[i] = 1;
    save.RecordClear("data\\stg4\\stage" + std::to_string(i) + ".", 1000 + i);
  }
  save.m_bHeroSaved = 1;
  save.m_Heroes[0].m_Chara.nMaxHp = 40;
}

void BM_SaveSlot(benchmark::State& state) {
  const SlotFolder folder;
  FillProgress(SaveDataCur);
  int slot = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SaveDataCur.SaveSlot(slot));
    slot = (slot + 1) % kSaveSlotCount;
  }
}
BENCHMARK(BM_SaveSlot)->Unit(benchmark::kMillisecond);

void BM_ScanNinetyNineUsedSlots(benchmark::State& state) {
  const SlotFolder folder;
  FillProgress(SaveDataCur);
  for (int slot = 0; slot < kSaveSlotCount; ++slot) SaveDataCur.SaveSlot(slot);
  platform::GameFolder().Forget();
  for (auto _ : state) {
    ScanSaveSlots(SaveSlotInfos);
    benchmark::DoNotOptimize(SaveSlotInfos[98].m_bUsed);
  }
  if (SaveSlotInfos[98].m_bUsed == 0) state.SkipWithError("the slots did not read");
}
BENCHMARK(BM_ScanNinetyNineUsedSlots)->Unit(benchmark::kMillisecond);

}  // namespace
