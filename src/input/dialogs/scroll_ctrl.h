#pragma once

#include <cstdint>
#include <optional>

#include "input/dialogs/ctrl.h"

// Scroll requests, with the numbers the game knew them by.
inline constexpr int kScrollLineUp = 0;
inline constexpr int kScrollLineDown = 1;
inline constexpr int kScrollPageUp = 2;
inline constexpr int kScrollPageDown = 3;
inline constexpr int kScrollThumbTrack = 5;
inline constexpr int kScrollTop = 6;
inline constexpr int kScrollBottom = 7;

struct ScrollSetup {
  std::uint16_t id = 0;
  int minimum = 0;
  int maximum = 0;
  int page = 0;
};

// A scroll bar of a dialog (the file list's): a range, a page and a position kept inside them.
class cScrollCtrl : public cCtrl {
 public:
  cScrollCtrl() : cCtrl(11) {}
  void Attach(cDialog* owner, const ScrollSetup& setup);
  void SetRange(int minimum, int maximum, int page);
  // The position after a request (track: the thumb's position for kScrollThumbTrack); true
  // when it moved.
  bool Scroll(int code, int track = 0);
  void SetPosition(int position);
  int Position() const { return position_; }
  int Page() const { return setup_.page; }
  // The highest position: the last page shows the end of the range.
  int Last() const;

 private:
  ScrollSetup setup_;
  int position_ = 0;
};

// The scroll request a key makes in a dialog with scroll bars: Page Up and Down scroll the
// vertical bar by pages, Home and End the horizontal one, the arrows by lines.
struct ScrollKey {
  bool vertical;
  int code;
};
std::optional<ScrollKey> ScrollForKey(int virtualKey);
