#include "scene_test_support.h"

#include <new>

namespace scenetest {

std::vector<std::string> g_events;
FakeClock* g_clock = nullptr;

RecordingScene::RecordingScene(int sceneId) : id(sceneId) { AddState(&RecordingScene::Step); }

RecordingScene::~RecordingScene() { g_events.push_back("delete " + std::to_string(id)); }

void RecordingScene::Init() {
  g_events.push_back("init " + std::to_string(id));
  if (throwOnInit != nullptr) throw throwOnInit;
}

void RecordingScene::Exit() {
  SceneMgr.CurrentScene = SceneMgr.NextScene;
  SceneMgr.PreviousScene = id;
  m_nState = -1;
}

void RecordingScene::Step() {
  g_events.push_back("run " + std::to_string(id));
  if (g_clock != nullptr) g_clock->now += workMs;
  if (leaveFor >= 0) {
    SceneMgr.NextScene = leaveFor;
    leaveFor = -1;
    Exit();
  }
}

namespace {

template <int Id>
CreatedScene Make() {
  auto* scene = new RecordingScene(Id);
  g_events.push_back("create " + std::to_string(Id));
  // Only the address matters to the manager; the play scene class itself lives elsewhere.
  return CreatedScene{scene, Id == kScenePlay ? reinterpret_cast<cScenePlay*>(scene) : nullptr};
}

}  // namespace

void RegisterRecordingScenes() {
  SetSceneFactory(0, Make<0>);
  SetSceneFactory(1, Make<1>);
  SetSceneFactory(2, Make<2>);
  SetSceneFactory(3, Make<3>);
  SetSceneFactory(4, Make<4>);
  SetSceneFactory(5, Make<5>);
}

void ClearSceneFactories() {
  for (int id = 0; id < kSceneCount; ++id) SetSceneFactory(id, nullptr);
}

void FakeDrawing::DrawFpsText(const std::string& text, const FpsTextLayout& layout) {
  fpsTexts.push_back(text);
  fpsLayouts.push_back(layout);
}

bool FakeDrawing::Present() {
  g_events.push_back("present");
  return presentResult;
}

}  // namespace scenetest
