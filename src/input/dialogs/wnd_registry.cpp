#include "input/dialogs/wnd_registry.h"

#include <algorithm>

#include "input/dialogs/wnd.h"

cWndRegistry WndRegistry;

void cWndRegistry::Add(cWnd* window) {
  if (window != nullptr && !Contains(window)) windows_.push_back(window);
}

bool cWndRegistry::Remove(cWnd* window) {
  const auto found = std::find(windows_.begin(), windows_.end(), window);
  if (found == windows_.end()) return false;
  windows_.erase(found);
  return true;
}

bool cWndRegistry::Contains(const cWnd* window) const {
  return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

void cWndRegistry::AddSub(cSubWnd* window) {
  if (window != nullptr && std::find(subWindows_.begin(), subWindows_.end(), window) == subWindows_.end()) {
    subWindows_.push_back(window);
  }
}

bool cWndRegistry::RemoveSub(cSubWnd* window) {
  const auto found = std::find(subWindows_.begin(), subWindows_.end(), window);
  if (found == subWindows_.end()) return false;
  subWindows_.erase(found);
  return true;
}

void cWndRegistry::ShowAll(bool show) {
  // Showing needs a window: an object whose window is gone stays as it is.
  for (cWnd* window : windows_) {
    if (window->exists) window->visible = show;
  }
  for (cSubWnd* window : subWindows_) {
    if (window->hasWindow) window->visible = show;
  }
}

void cWndRegistry::EnableAll(bool enable) {
  for (cWnd* window : windows_) {
    if (enable) window->RemoveStyle(kStyleDisabled);
    else window->AddStyle(kStyleDisabled);
  }
  for (cSubWnd* window : subWindows_) {
    if (enable) window->RemoveStyle(kStyleDisabled);
    else window->AddStyle(kStyleDisabled);
  }
}
