#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "core/window_place.h"
#include "platform/window/window.h"
#include "platform/window_messages.h"

inline constexpr const char* kMainWindowClass = "Kestrel4";

// The program's one top-level window. Its procedure runs on the main thread and does all the
// work that must happen there: the game side's requests, activation, and the ordered close
// (placement saved, music and threads stopped, window gone, quit).
class cMainWindow {
 public:
  // A hidden window with a 640 x 480 client area at (100, 100) and an empty title.
  bool Create();
  std::intptr_t WindowProc(const platform::Message& message);
  // Destroys the window; its WM_DESTROY handling runs before this returns.
  void Destroy();
  bool Created() const { return m_bCreated; }
  // The window's handle as the window object keeps it: 0 once WM_DESTROY has been handled.
  std::uint32_t Handle() const { return m_hWnd; }

  platform::Window& Window() { return m_Window; }
  // Where the close saves the window placement (a game path); empty: it is not saved.
  void SetPlacementPath(std::string path) { m_PlacementPath = std::move(path); }
  // The client rectangle in screen coordinates, as of the last WM_MOVE; read by the thread
  // that presents frames.
  platform::ScreenRect ClientRect() const;
  // Any thread: one repaint is queued at a time.
  void RequestRepaint();

 private:
  std::intptr_t OnClose();
  void OnDestroy();
  void SavePlacement();

  platform::Window m_Window;
  std::string m_PlacementPath;
  bool m_bCreated = false;
  std::uint32_t m_hWnd = 0;
  mutable std::mutex m_RectMutex;
  platform::ScreenRect m_ClientRect;
  std::atomic<bool> m_bRepaintQueued{false};
};

extern cMainWindow MainWindow;
// The main window's handle while it exists (what other programs know it by), else 0.
extern std::atomic<std::uint32_t> MainHwnd;
// The window placement of user_data\Window.dat.
extern cWindowPlace WindowPlace;

// The window procedure: every message of the main queue goes to the one main window.
std::intptr_t MainWndProc(const platform::Message& message);
void RequestMainWindowRepaint();
// The close request: WM_CLOSE posted to the main window (dropped once it is gone).
void PostMainWindowClose();
