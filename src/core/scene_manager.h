#pragma once

#include <cstdint>

#include "core/scene.h"

class cScenePlay;

// Scene ids.
enum SceneId : int {
  kSceneTitle = 0,
  kSceneWorldMap = 1,
  kSceneWorldMenu = 2,
  kSceneStageSelect = 3,
  kScenePlay = 4,
  kSceneOption = 5,
  kSceneCount = 6,  // an id of 6 or more runs no scene at all
};

// A new scene of one id. The play scene's factory also hands back the object as the play
// scene, which PlaySceneGlobal then names. A factory that cannot allocate throws
// std::bad_alloc; one whose scene cannot start throws a text.
struct CreatedScene {
  cScene* scene = nullptr;
  cScenePlay* play = nullptr;
};
using SceneFactory = CreatedScene (*)();

// Each scene's subsystem registers its factory when it starts; an id without one has no
// scene. nullptr removes a factory.
void SetSceneFactory(int id, SceneFactory factory);
bool HasSceneFactory(int id);

// The title menu's replay entry: the play scene plays a recorded attempt back.
inline constexpr std::int32_t kTitleChoiceReplay = 4;

// Keeps the one live scene and runs the frame step. Only the game thread touches it (and a
// display thread while the game thread waits for it).
class cSceneManager {
 public:
  cSceneManager() = default;
  ~cSceneManager();
  cSceneManager(const cSceneManager&) = delete;
  cSceneManager& operator=(const cSceneManager&) = delete;

  // One frame; 0 when the program must end.
  int Frame();
  // Makes `id` the only live scene: every other one is deleted, and that one is made when
  // missing. An id of 6 or more leaves no scene.
  void ChangeScene(int id);
  // Shut-down: all six scenes go.
  void DeleteScenes();
  // False when the wait ended because the thread is asked to stop.
  bool WaitFrame();
  bool RestoreSurfaces();
  void UpdateInput();
  void Present();

  // The live scene of an id; null when there is none or the id is not a scene's.
  cScene* Scene(int id) const;

  cScene* m_pTitle = nullptr;
  cScene* m_pWorldMap = nullptr;
  cScene* m_pWorldMenu = nullptr;
  cScene* m_pStageSelect = nullptr;
  cScene* m_pOption = nullptr;
  cScene* m_pPlay = nullptr;
  std::int32_t CurrentScene = 0;
  std::int32_t NextScene = 0;
  std::int32_t PreviousScene = 0;
  std::int32_t TitleChoice = 0;  // kTitleChoiceReplay: a replay is being played back
  std::int32_t PlayMode = 0;  // 0 story, 1 challenge, 2 free, 3 replay
  std::int32_t StageSelRow = 0;
  std::int32_t StageSelTop = 0;
  std::int32_t RankingEnabled = 0;
  std::int32_t FrameRate = 0;  // frames per second of the pacing
  std::int32_t FadeSpeed = 0;
  std::int32_t CurBgm = 0;
  // DirectDraw full screen: 1 copies the back buffer onto the screen instead of flipping.
  std::int32_t NoFlip = 0;

 private:
  cScene*& Slot(int id);
  void DeleteScene(int id);
  void CreateScene(int id);
};

extern cSceneManager SceneMgr;
// The play scene while it exists, else null.
extern cScenePlay* PlaySceneGlobal;
