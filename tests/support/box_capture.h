#pragma once

#include <string>
#include <vector>

#include "core/message_boxes.h"

namespace testsupport {

// Every message box shown while the object lives, its text in order; each is answered Ok/Yes.
class BoxCapture {
 public:
  BoxCapture() {
    SetFullScreenBoxPresenter([this](std::string_view text, std::string_view, BoxButtons) -> std::optional<BoxAnswer> {
      texts.emplace_back(text);
      return BoxAnswer::Yes;
    });
  }
  ~BoxCapture() { SetFullScreenBoxPresenter(nullptr); }
  BoxCapture(const BoxCapture&) = delete;
  BoxCapture& operator=(const BoxCapture&) = delete;

  std::vector<std::string> texts;
};

}  // namespace testsupport
