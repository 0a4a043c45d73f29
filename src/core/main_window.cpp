#include "core/main_window.h"

#include "core/editor_notices.h"
#include "core/game_requests.h"
#include "core/program_state.h"
#include "core/report_log.h"
#include "core/subsystem_links.h"
#include "core/system_ini.h"
#include "core/thread.h"
#include "platform/message_queue.h"

cMainWindow MainWindow;
std::atomic<std::uint32_t> MainHwnd{0};
cWindowPlace WindowPlace;

namespace {

constexpr std::uintptr_t kEscapeKey = 27;

}  // namespace

bool cMainWindow::Create() {
  const platform::WindowLayout layout;  // client 640 x 480, at least 100 x 100
  if (!m_Window.Create(kMainWindowClass, "", layout, 100, 100, platform::MainQueue())) return false;
  const platform::ScreenRect limits = m_Window.FullScreenClientArea();
  cWindowPlace::SetDesktopLimits(limits.right - limits.left, limits.bottom - limits.top);
  m_hWnd = m_Window.Handle();
  WindowProc(platform::Message{platform::WM_CREATE, 0, 0});
  return true;
}

void cMainWindow::Destroy() {
  if (!m_Window.Exists()) return;
  WindowProc(platform::Message{platform::WM_DESTROY, 0, 0});
  m_Window.Destroy();
}

platform::ScreenRect cMainWindow::ClientRect() const {
  std::lock_guard lock(m_RectMutex);
  return m_ClientRect;
}

void cMainWindow::RequestRepaint() {
  if (m_bRepaintQueued.exchange(true)) return;
  if (!platform::MainQueue().Post(platform::Message{platform::WM_PAINT, 0, 0})) m_bRepaintQueued = false;
}

std::intptr_t cMainWindow::WindowProc(const platform::Message& message) {
  switch (message.message) {
    case platform::WM_CREATE:
      m_bCreated = true;
      return 0;
    case platform::WM_MOVE: {
      const platform::ScreenRect rect = m_Window.ClientRectOnScreen();
      std::lock_guard lock(m_RectMutex);
      m_ClientRect = rect;
      return 0;
    }
    case platform::WM_SIZE:
      return 0;
    case platform::WM_PAINT:
      m_bRepaintQueued = false;
      if (RunningFlag.load() == 1) DrawingLink().PaintWindow();
      return 0;
    case platform::WM_ACTIVATEAPP:
      ActiveFlag = static_cast<int>(message.wParam);
      return 0;
    case platform::WM_KEYDOWN:
      if (message.wParam == kEscapeKey) PostMainWindowClose();
      return 0;
    case platform::WM_CLOSE:
      return OnClose();
    case platform::WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return IsGameRequest(message.message) ? HandleGameRequest(message) : 0;
  }
}

void cMainWindow::SavePlacement() {
  const platform::WindowPlacement placement = m_Window.Placement();
  if (placement.minimized || m_PlacementPath.empty()) return;
  WindowPlace.x = placement.x;
  WindowPlace.y = placement.y;
  WindowPlace.width = placement.clientWidth;
  WindowPlace.height = placement.clientHeight;
  WindowPlace.maximized = placement.maximized ? 1 : 0;
  WindowPlace.Save(m_PlacementPath);
}

std::intptr_t cMainWindow::OnClose() {
  if (SystemIni.WindowMode != 0 && RunningFlag.load() != 0) SavePlacement();
  if (thPause.HasThread()) {
    // A modal display of the play scene runs: it is ended first, and the game thread closes
    // the window again once it has seen the play scene's quit flag.
    ErrLog("WM_CLOSE thPause.m_hThread");
    WorldLink().SetPlaySceneQuit();
    thPause.PostQuit();
    return 0;
  }
  ErrLog("WM_CLOSE 成功！");
  // From here on nothing the game side sends is served: a thread blocked in a send is
  // answered at once and free to see its quit.
  platform::MainQueue().BeginClose();
  SoundLink().StopMusic();
  LoaderThread.Exit();
  thPause.Exit();
  RankingThread.Exit();
  ErrLog("thPause.Exit()");
  thGame.Exit();
  ErrLog("thGame.Exit()");
  Destroy();
  return 0;
}

void cMainWindow::OnDestroy() {
  ErrLog("WM_DESTROY");
  m_bCreated = false;
  m_hWnd = 0;
  MainHwnd = 0;
  platform::MainQueue().CloseWindow();
  if (FromEditor.load() != 0) NotifyEditorEnd(1);
  platform::MainQueue().PostQuit(0);
}

std::intptr_t MainWndProc(const platform::Message& message) { return MainWindow.WindowProc(message); }

void RequestMainWindowRepaint() { MainWindow.RequestRepaint(); }

void PostMainWindowClose() { platform::MainQueue().Post(platform::Message{platform::WM_CLOSE, 0, 0}); }
