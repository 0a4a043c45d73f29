#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/scene_manager.h"
#include "core/subsystem_links.h"
#include "platform/clock.h"

namespace scenetest {

// What the test scenes and the fake drawing did, in order ("init 0", "run 0", "delete 2", ...).
extern std::vector<std::string> g_events;

// A scene that records what happens to it. Its one state can leave for another scene (as a
// scene's exit state does) and can spend time on the fake clock, as a frame's work would.
class RecordingScene : public cScene {
 public:
  explicit RecordingScene(int id);
  ~RecordingScene() override;
  void Init() override;
  void Exit() override;

  int id;
  int leaveFor = -1;             // next scene id to leave for on the next run, -1 to stay
  std::uint32_t workMs = 0;      // fake milliseconds each frame's work takes
  const char* throwOnInit = nullptr;

 private:
  void Step();
};

// Factories for every id; the play scene's factory hands the object back as the play scene.
void RegisterRecordingScenes();
void ClearSceneFactories();

class FakeClock : public platform::ClockSource {
 public:
  std::uint32_t NowMs() override { return now; }
  void Sleep(std::uint32_t milliseconds) override { now += milliseconds; }
  std::uint32_t now = 5000;
};

extern FakeClock* g_clock;

class FakeDrawing : public cDrawingLink {
 public:
  bool PacesFrames() override { return false; }
  bool RestoreSurfaces() override { return restoreResult; }
  void DrawFpsText(const std::string& text, const FpsTextLayout& layout) override;
  bool Present() override;
  void PaintWindow() override {}

  bool restoreResult = true;
  bool presentResult = true;
  std::vector<std::string> fpsTexts;
  std::vector<FpsTextLayout> fpsLayouts;
};

}  // namespace scenetest
