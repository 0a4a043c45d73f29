#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/process/child_process.h"
#include "platform/process/window_registry.h"
#include "support/byte_builder.h"
#include "support/temp_folder.h"

// The real program run headless in game folders of its own.
namespace e2e {

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;

// Limits are the bounds of a failure, not expectations: a sanitizer build on a machine with
// every core busy may take many times its usual time to start, make its game or close, and
// every wait ends as soon as its event comes.
constexpr std::uint32_t kExitLimitMs = 60000;
constexpr std::uint32_t kMakeGameLimitMs = 120000;

// Polls until the condition holds or the limit has passed in real time.
template <typename Condition>
bool WaitUntil(Condition condition, std::uint32_t limitMs = kExitLimitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

inline std::string WindowDat(int x, int y, int width, int height, int maximized) {
  return testsupport::ByteBuilder().u32(750).fields(5).i32(x).i32(y).i32(width).i32(height).i32(maximized)
      .strings(0).bytes();
}

// Runs the real program headless in game folders of its own, with a runtime folder of its
// own, so that the runs of a test find each other and nothing else.
class ProgramRunTest : public testing::Test {
 protected:
  void SetUp() override {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) saved_ = runtime;
    setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
    MakeGame(game_);
  }

  // The sample game, made afresh in the folder by its maker.
  static void MakeGame(const TempFolder& folder) {
    platform::ChildProcess maker;
    ASSERT_TRUE(maker.Start(KESTREL_SAMPLE_GAME_MAKER, {folder.path().string()}, {}, folder.path()));
    ASSERT_EQ(maker.WaitForExit(kMakeGameLimitMs), 0);
  }
  void TearDown() override {
    if (saved_) {
      setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
  }

  void Start(platform::ChildProcess& program, const TempFolder& folder,
             std::map<std::string, std::string> environment = {}, std::vector<std::string> arguments = {}) {
    environment["XDG_RUNTIME_DIR"] = runtime_.path().string();
    environment["KESTREL_HEADLESS"] = "1";
    ASSERT_TRUE(program.Start(KESTREL_EXECUTABLE, arguments, environment, folder.path()));
  }

  // The program is up once its window is registered.
  bool WaitForWindow(const platform::ChildProcess& program) {
    return WaitUntil([&] {
      const std::optional<platform::RegisteredWindow> window = platform::FindRegisteredWindow("Kestrel4");
      return window && window->process.pid == program.Identity().pid;
    });
  }

  // Asks the program to close, as another instance would, and takes its exit code.
  std::optional<int> Close(platform::ChildProcess& program) {
    program.RequestTermination();
    return program.WaitForExit(kExitLimitMs);
  }

  static std::string Placement(const TempFolder& folder) { return ReadFileBytes(folder.path() / "user_data" / "Window.dat"); }
  static std::string ReportLog(const TempFolder& folder) { return ReadFileBytes(folder.path() / "Report_Game.txt"); }

  TempFolder runtime_;
  TempFolder game_;
  std::optional<std::string> saved_;
};

}  // namespace e2e
