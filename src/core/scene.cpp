#include "core/scene.h"

void cScene::Run() {
  RunInitIfPending();
  RunCurrentState();
}

void cScene::RunInitIfPending() {
  if (m_nState != -1) return;
  CloseOnThrownText([this] { Init(); });
  m_nState = 0;
}

void cScene::RunCurrentState() {
  if (m_States.empty()) return;
  // A bad state index is reported by the checked access, which hands back state 0.
  const StateFunction state = m_States[m_nState];
  if (state != nullptr) (this->*state)();
}
