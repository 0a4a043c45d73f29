// The menus on the sample game, started in this process as the program starts: the whole
// start-up to the first title frame and the shut-down after it, and a world-map frame whose
// view is drawn again (the hero steps every frame).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/init_game.h"
#include "app/registration.h"
#include "core/log_files.h"
#include "core/main_window.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "data/save_data.h"
#include "data/world_map.h"
#include "make_sample_game/sample_game.h"
#include "menus/scene_world_map.h"
#include "platform/files/path_resolver.h"
#include "platform/message_queue.h"

namespace {

namespace fs = std::filesystem;

// The sample game made once, under the temporary folder, its default data copied to data.
const fs::path& SampleGame() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "kestrel-menus-XXXXXX").string();
    const fs::path made = mkdtemp(pattern.data());
    sample::MakeSampleGame(made);
    fs::copy(made / "default", made / "data", fs::copy_options::recursive);
    fs::create_directories(made / "runtime");
    return made;
  }();
  return folder;
}

// The program's window and start-up around `body`, in the sample game with the given settings.
template <typename Body>
void WithProgram(const char* systemIni, Body&& body) {
  const fs::path previous = fs::current_path();
  fs::current_path(SampleGame());
  std::ofstream("System.ini", std::ios::binary) << systemIni;
  setenv("XDG_RUNTIME_DIR", (SampleGame() / "runtime").c_str(), 1);
  setenv("KESTREL_HEADLESS", "1", 1);
  setenv("KESTREL_UNPACED", "1", 1);
  platform::GameFolder().Forget();
  LogInit("/dev/null");
  static const bool registered = (RegisterProgramParts(), true);
  (void)registered;
  platform::MessageQueue& queue = platform::MainQueue();
  queue.Reopen();
  queue.BindToCurrentThread();
  queue.SetHandler(MainWndProc);
  MainWindow.Create();
  body();
  MainWindow.Destroy();
  queue.SetHandler(nullptr);
  fs::current_path(previous);
}

void BM_StartUpToTheFirstTitleFrameAndShutDown(benchmark::State& state) {
  WithProgram("Direct3D=1\nWindowMode=1\nShowFps=0\nExit\n", [&] {
    for (auto _ : state) {
      if (!InitGame("", 1)) {
        state.SkipWithError("the start-up failed");
        break;
      }
      SceneMgr.CurrentScene = kSceneTitle;
      SceneMgr.Frame();
      UnInitGame();
    }
  });
}
BENCHMARK(BM_StartUpToTheFirstTitleFrameAndShutDown)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_MapFrameDrawingTheView(benchmark::State& state, const char* systemIni) {
  WithProgram(systemIni, [&] {
    if (!InitGame("", 1)) {
      state.SkipWithError("the start-up failed");
      return;
    }
    SaveDataCur.Reset();
    SaveDataCur.m_nMapX = WorldMap.nStartX;
    SaveDataCur.m_nMapY = WorldMap.nStartY;
    {
      cSceneWorldMap map;
      map.Run();  // the start and the first fade step
      const long before = MapViewDraws();
      int step = 0;
      for (auto _ : state) {
        // Left and right in turn along the road: the view moves every frame.
        map.MoveHero((step++ & 1) != 0 ? 1 : 2);
        map.Run();
      }
      state.counters["view draws per frame"] =
          static_cast<double>(MapViewDraws() - before) / static_cast<double>(state.iterations());
    }
    UnInitGame();
  });
}
BENCHMARK_CAPTURE(BM_MapFrameDrawingTheView, D3D32, "Direct3D=1\nWindowMode=1\nBpp=32\nShowFps=0\nExit\n")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MapFrameDrawingTheView, DD8, "Direct3D=0\nWindowMode=0\nBpp=8\nShowFps=0\nExit\n")
    ->Unit(benchmark::kMillisecond);

}  // namespace
