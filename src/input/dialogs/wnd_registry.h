#pragma once

#include <cstdint>
#include <vector>

class cWnd;

// The disabled style bit, as the registry sets and clears it.
inline constexpr std::uint32_t kStyleDisabled = 0x8000000;

// A window known only by its handle: whether it has one, is shown, and its style bits.
struct cSubWnd {
  bool hasWindow = false;
  bool visible = true;
  std::uint32_t style = 0;
  void AddStyle(std::uint32_t bits) { style |= bits; }
  void RemoveStyle(std::uint32_t bits) { style &= ~bits; }
};

// The windows a modal dialog may hide or disable while it runs: the modeless dialogs, which
// add themselves when they open, and the handle-only windows.
class cWndRegistry {
 public:
  void Add(cWnd* window);
  // False when the window was not there.
  bool Remove(cWnd* window);
  bool Contains(const cWnd* window) const;
  void AddSub(cSubWnd* window);
  bool RemoveSub(cSubWnd* window);
  void ShowAll(bool show);
  void EnableAll(bool enable);

 private:
  std::vector<cWnd*> windows_;
  std::vector<cSubWnd*> subWindows_;
};

// The one registry every dialog is handed.
extern cWndRegistry WndRegistry;
