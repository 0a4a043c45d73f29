#include "app/init_game.h"

#include <algorithm>
#include <array>

#include "app/startup_steps.h"

namespace {

// The whole start-up in its order. Each subsystem fills its own rows as it arrives.
constexpr std::array<StartupStep, 32> kStartupSteps = {{
    {"timer, random seed and record version", startup::TimerSeedAndVersion},
    {"data folder", startup::DataFolder},
    {"user and project folders", startup::Folders},
    {"database", startup::DatabaseFiles},
    {"effect copies and frame tables", startup::EffectCopiesAndFrameTables},
    {"system data", startup::SystemDataFile},
    {"System.ini", startup::SystemIniFile},
    {"drawing backend choice", startup::BackendChoice},
    {"command-line stage", startup::CommandLineStage},
    {"scene manager pace", startup::SceneManagerPace},
    {"key repeat", startup::KeyRepeat},
    {"screen mode", startup::ScreenMode},
    {"main window and title", startup::MainWindowTitle},
    {"video stretch", startup::VideoStretch},
    {"drawing library", startup::DrawingLibrary},
    {"texture failure text and surface pairs", startup::TextureTextAndSurfacePairs},
    {"window placement", startup::WindowPlacement},
    {"show window", startup::ShowWindow},
    {"video report", startup::VideoReport},
    {"palette and transparent colour", startup::PaletteAndTransparentColour},
    {"no-flip flag", startup::NoFlipFlag},
    {"start-up surfaces", startup::StartupSurfaces},
    {"fonts and digit sheets", startup::FontsAndDigitSheets},
    {"key configuration", startup::KeyConfiguration},
    {"options", startup::Options},
    {"8-bit palette", startup::EightBitPalette},
    {"music", startup::Music},
    {"sound table", startup::SoundTable},
    {"sound device", startup::SoundDevice},
    {"sound effects", startup::SoundEffects},
    {"world map and common palette", startup::WorldMapAndCommonPalette},
    {"stage from the command line", startup::StageFromCommandLine},
}};

// The release of what the start-up acquired, in its order.
constexpr std::array<ShutdownStep, 7> kShutdownSteps = {{
    {"font cache report", shutdown::FontCacheReport},
    {"timer period", nullptr},
    {"sound and music", shutdown::SoundAndMusic},
    {"scenes", shutdown::Scenes},
    {"fonts and digit sheets", shutdown::Fonts},
    {"drawing library", shutdown::DrawingLibrary},
    {"keyboard hooks", shutdown::KeyboardHooks},
}};

}  // namespace

std::span<const StartupStep> StartupSteps() { return kStartupSteps; }
std::span<const ShutdownStep> ShutdownSteps() { return kShutdownSteps; }

bool RunStartupSteps(StartupContext& context, std::size_t count) {
  const std::size_t last = std::min(count, kStartupSteps.size());
  for (std::size_t i = 0; i < last; ++i) {
    if (kStartupSteps[i].run != nullptr && !kStartupSteps[i].run(context)) return false;
  }
  return true;
}

bool InitGame(const std::string& commandLine, int showCommand) {
  StartupContext context{commandLine, showCommand};
  return RunStartupSteps(context);
}

void UnInitGame() {
  for (const ShutdownStep& step : kShutdownSteps) {
    if (step.run != nullptr) step.run();
  }
}
