#pragma once

#include <cstddef>
#include <span>
#include <string>

// What the start-up steps hand on to each other.
struct StartupContext {
  std::string commandLine;  // as the process entry passes it: a stage file to play at once
  int showCommand = 0;      // how the window is first shown; the saved placement may change it
};

// One step of the start-up or the shut-down. A step whose subsystem is not built yet has no
// function: it is listed so that the order reads in one place, and does nothing.
struct StartupStep {
  const char* name;
  bool (*run)(StartupContext& context);
};
struct ShutdownStep {
  const char* name;
  void (*run)();
};

// In the order they run.
std::span<const StartupStep> StartupSteps();
std::span<const ShutdownStep> ShutdownSteps();

// Runs the first `count` start-up steps (all of them by default); false as soon as one stops
// the start-up, after that step has said why.
bool RunStartupSteps(StartupContext& context, std::size_t count = static_cast<std::size_t>(-1));

// The steps themselves, grouped by what they set up.
namespace startup {

bool TimerSeedAndVersion(StartupContext& context);
bool DataFolder(StartupContext& context);
bool Folders(StartupContext& context);
bool DatabaseFiles(StartupContext& context);
bool EffectCopiesAndFrameTables(StartupContext& context);
bool SystemDataFile(StartupContext& context);
bool SystemIniFile(StartupContext& context);
bool BackendChoice(StartupContext& context);
bool CommandLineStage(StartupContext& context);
bool SceneManagerPace(StartupContext& context);
bool KeyRepeat(StartupContext& context);
bool ScreenMode(StartupContext& context);
bool MainWindowTitle(StartupContext& context);
bool VideoStretch(StartupContext& context);
bool DrawingLibrary(StartupContext& context);
bool TextureTextAndSurfacePairs(StartupContext& context);
bool WindowPlacement(StartupContext& context);
bool ShowWindow(StartupContext& context);
bool VideoReport(StartupContext& context);
bool PaletteAndTransparentColour(StartupContext& context);
bool NoFlipFlag(StartupContext& context);
bool StartupSurfaces(StartupContext& context);
bool Music(StartupContext& context);
bool SoundTable(StartupContext& context);
bool SoundDevice(StartupContext& context);
bool SoundEffects(StartupContext& context);
bool FontsAndDigitSheets(StartupContext& context);
bool EightBitPalette(StartupContext& context);
bool KeyConfiguration(StartupContext& context);
bool Options(StartupContext& context);
bool WorldMapAndCommonPalette(StartupContext& context);
bool StageFromCommandLine(StartupContext& context);

}  // namespace startup

namespace shutdown {

void SoundAndMusic();
void FontCacheReport();
void Scenes();
void Fonts();
void DrawingLibrary();
void KeyboardHooks();

}  // namespace shutdown
