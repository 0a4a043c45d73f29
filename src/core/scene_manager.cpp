#include "core/scene_manager.h"

#include <array>
#include <atomic>
#include <new>

#include "core/fps_readout.h"
#include "core/game_requests.h"
#include "core/message_boxes.h"
#include "core/subsystem_links.h"
#include "core/system_ini.h"
#include "core/timing.h"
#include "platform/worker_thread.h"

cSceneManager SceneMgr;
cScenePlay* PlaySceneGlobal = nullptr;

namespace {

std::array<std::atomic<SceneFactory>, kSceneCount> g_factories{};

// The orders in which scenes go: a scene switch and the shut-down each keep their own.
constexpr std::array<int, kSceneCount> kSwitchDeletionOrder = {kSceneTitle,       kSceneWorldMenu, kSceneWorldMap,
                                                               kSceneStageSelect, kScenePlay,      kSceneOption};
constexpr std::array<int, kSceneCount> kShutDownDeletionOrder = {kSceneTitle,       kSceneWorldMap, kSceneWorldMenu,
                                                                 kSceneStageSelect, kSceneOption,   kScenePlay};

bool IsSceneId(int id) { return id >= 0 && id < kSceneCount; }

}  // namespace

void SetSceneFactory(int id, SceneFactory factory) {
  if (IsSceneId(id)) g_factories[static_cast<std::size_t>(id)].store(factory);
}

bool HasSceneFactory(int id) { return IsSceneId(id) && g_factories[static_cast<std::size_t>(id)].load() != nullptr; }

cSceneManager::~cSceneManager() { DeleteScenes(); }

cScene*& cSceneManager::Slot(int id) {
  switch (id) {
    case kSceneTitle: return m_pTitle;
    case kSceneWorldMap: return m_pWorldMap;
    case kSceneWorldMenu: return m_pWorldMenu;
    case kSceneStageSelect: return m_pStageSelect;
    case kScenePlay: return m_pPlay;
    default: return m_pOption;
  }
}

cScene* cSceneManager::Scene(int id) const {
  return IsSceneId(id) ? const_cast<cSceneManager*>(this)->Slot(id) : nullptr;
}

void cSceneManager::DeleteScene(int id) {
  cScene*& scene = Slot(id);
  if (scene == nullptr) return;
  // Nothing may reach the play scene through the global once it is gone.
  if (id == kScenePlay) PlaySceneGlobal = nullptr;
  delete scene;
  scene = nullptr;
}

void cSceneManager::CreateScene(int id) {
  const SceneFactory factory = g_factories[static_cast<std::size_t>(id)].load();
  if (factory == nullptr) return;
  CreatedScene created;
  try {
    created = factory();
  } catch (const std::bad_alloc&) {
    OutOfMemoryExit();
    return;
  }
  Slot(id) = created.scene;
  if (id == kScenePlay && created.scene != nullptr) PlaySceneGlobal = created.play;
}

void cSceneManager::ChangeScene(int id) {
  for (int other : kSwitchDeletionOrder) {
    if (other != id) DeleteScene(other);
  }
  if (IsSceneId(id) && Slot(id) == nullptr) CreateScene(id);
}

void cSceneManager::DeleteScenes() {
  for (int id : kShutDownDeletionOrder) DeleteScene(id);
}

bool cSceneManager::WaitFrame() {
  if (DrawingLink().PacesFrames()) return true;
  while (!FrameGate(FrameRate)) {
    if (!platform::SleepOrStop(1)) return false;
  }
  return true;
}

bool cSceneManager::RestoreSurfaces() { return DrawingLink().RestoreSurfaces(); }

void cSceneManager::UpdateInput() { InputLink().UpdateInput(); }

void cSceneManager::Present() {
  if (!DrawingLink().Present()) SendToMainWindow(kRequestRecoverDevice);
}

int cSceneManager::Frame() {
  // A thread asked to stop does not run a frame out of its time; it sees its quit next.
  if (!WaitFrame()) return 1;
  TimerStart();
  if (!RestoreSurfaces()) return 0;
  UpdateInput();
  CloseOnThrownText([this] { ChangeScene(CurrentScene); });
  if (cScene* scene = Scene(CurrentScene)) scene->Run();
  FpsReadout.Fps = FpsCounter(1);
  FpsReadout.FrameMs = static_cast<int>(TimerElapsed(1));
  if (SystemIni.ShowFps != 0) {
    FpsReadout.Record(FpsReadout.FrameMs);
    DrawingLink().DrawFpsText(FpsReadout.Text(), FpsLayout(SystemIni.ShowFps));
  }
  Present();
  return 1;
}
