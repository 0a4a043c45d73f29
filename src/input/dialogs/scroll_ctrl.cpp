#include "input/dialogs/scroll_ctrl.h"

#include <algorithm>

#include "platform/input/virtual_keys.h"

void cScrollCtrl::Attach(cDialog* owner, const ScrollSetup& setup) {
  cCtrl::Attach(owner, setup.id);
  setup_ = setup;
  SetPosition(position_);
}

void cScrollCtrl::SetRange(int minimum, int maximum, int page) {
  setup_.minimum = minimum;
  setup_.maximum = std::max(maximum, minimum);
  setup_.page = std::max(page, 0);
  SetPosition(position_);
}

int cScrollCtrl::Last() const {
  return std::max(setup_.minimum, setup_.maximum - std::max(setup_.page - 1, 0));
}

void cScrollCtrl::SetPosition(int position) { position_ = std::clamp(position, setup_.minimum, Last()); }

bool cScrollCtrl::Scroll(int code, int track) {
  const int before = position_;
  const int page = std::max(setup_.page, 1);
  switch (code) {
    case kScrollLineUp: SetPosition(position_ - 1); break;
    case kScrollLineDown: SetPosition(position_ + 1); break;
    case kScrollPageUp: SetPosition(position_ - page); break;
    case kScrollPageDown: SetPosition(position_ + page); break;
    case kScrollThumbTrack: SetPosition(track); break;
    case kScrollTop: SetPosition(setup_.minimum); break;
    case kScrollBottom: SetPosition(setup_.maximum); break;
    default: break;
  }
  return position_ != before;
}

std::optional<ScrollKey> ScrollForKey(int virtualKey) {
  namespace vk = platform::vk;
  switch (virtualKey) {
    case vk::kPrior: return ScrollKey{true, kScrollPageUp};
    case vk::kNext: return ScrollKey{true, kScrollPageDown};
    case vk::kEnd: return ScrollKey{false, kScrollPageDown};
    case vk::kHome: return ScrollKey{false, kScrollPageUp};
    case vk::kLeft: return ScrollKey{false, kScrollLineUp};
    case vk::kUp: return ScrollKey{true, kScrollLineUp};
    case vk::kRight: return ScrollKey{false, kScrollLineDown};
    case vk::kDown: return ScrollKey{true, kScrollLineDown};
    default: return std::nullopt;
  }
}
