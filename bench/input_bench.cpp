// The player's input per frame (poll, repeat, one-shot filter, history and event lists), the
// chooser's listing of a big folder, and the dialog picture laid over a frame.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "input/dialogs/file_names.h"
#include "input/input.h"
#include "platform/input/key_flags.h"
#include "platform/video/frame_overlay.h"

namespace {

void InputFrame(benchmark::State& state) {
  cInput input;
  input.SetRepeat(18, 6);
  input.InitButtonMasks();
  int frame = 0;
  for (auto _ : state) {
    platform::SetKeyDown('Z', (frame & 8) != 0);
    platform::SetKeyDown(39, (frame & 16) != 0);
    input.PollDefault(0, 3, 60);
    input.ApplyKeyRepeat();
    input.FilterButtonPress(3);
    input.PushHistory();
    input.UpdateEvents();
    benchmark::DoNotOptimize(input.m_wDir);
    ++frame;
  }
  platform::ReleaseAllKeys();
}
BENCHMARK(InputFrame);

void ChooserListing(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kestrel_chooser_bench_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  for (int i = 0; i < 10000; ++i) {
    const char* kind = i % 3 == 0 ? ".txt" : i % 3 == 1 ? ".stg4_750" : ".RPL4_750";
    std::ofstream(folder / ("stage" + std::to_string(i * 7919 % 10007) + kind));
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(ListChooserFolder(folder.string(), "*.stg4_*;*.rpl4_*", false));
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(ChooserListing)->Unit(benchmark::kMillisecond);

void OverlayComposite(benchmark::State& state) {
  platform::Frame frame;
  frame.width = 640;
  frame.height = 480;
  frame.pixels.assign(640 * 480, 0xFF336699u);
  std::vector<std::uint32_t> overlay(640 * 480, 0);
  for (int y = 104; y < 374; ++y) {
    for (int x = 133; x < 507; ++x) overlay[static_cast<std::size_t>(y) * 640 + x] = 0xFFD4D0C8u;
  }
  for (auto _ : state) {
    platform::ComposeOverlay(frame, overlay);
    benchmark::DoNotOptimize(frame.pixels.data());
  }
}
BENCHMARK(OverlayComposite)->Unit(benchmark::kMicrosecond);

}  // namespace
