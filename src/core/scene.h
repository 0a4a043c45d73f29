#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "core/checked_sequence.h"
#include "core/report_log.h"

// Runs `action`; a text it throws (how a scene's start reports that it cannot go on) goes to
// the error log and closes the program in order. Other exceptions pass.
template <typename Action>
void CloseOnThrownText(Action&& action) {
  try {
    action();
  } catch (const char* text) {
    ErrLogfClose("%s", text);
  } catch (const std::string& text) {
    ErrLogfClose("%s", text.c_str());
  }
}

// Base of every scene. A scene is a table of state functions run one per frame; state -1
// means its Init has to run first.
class cScene {
 public:
  using StateFunction = void (cScene::*)();

  cScene() = default;
  virtual ~cScene() = default;
  cScene(const cScene&) = delete;
  cScene& operator=(const cScene&) = delete;

  // One frame: Init first when the state is -1 (a text it throws closes the program), then
  // the function of the current state.
  virtual void Run();
  virtual void Init() {}
  virtual void FadeIn() {}
  // A leaving scene's exit copies the next scene id into the current one, writes its own id
  // as the previous one and sets its state back to -1.
  virtual void Exit() {}

  std::int32_t m_nState = -1;
  std::int32_t m_nSubState = 0;
  cVector<StateFunction> m_States;

 protected:
  template <typename Scene>
  void AddState(void (Scene::*state)()) {
    m_States.push_back(static_cast<StateFunction>(state));
  }
  void RunInitIfPending();
  void RunCurrentState();
};
