#include "input/dialogs/hook.h"

#include <gtest/gtest.h>

#include "platform/input/virtual_keys.h"

namespace {

namespace vk = platform::vk;

TEST(HookRoute, Table) {
  struct Case {
    const char* what;
    int key;
    bool edit, composing, inBatch;
    KeyRoute route;
  };
  const Case cases[] = {
      {"Return while composing", vk::kReturn, true, true, true, KeyRoute::InputMethod},
      {"Return in the batch of the commit", vk::kReturn, true, false, true, KeyRoute::InputMethod},
      {"Return after the batch", vk::kReturn, true, false, false, KeyRoute::Dialog},
      {"a letter while composing", 'A', true, true, true, KeyRoute::InputMethod},
      {"Backspace in the field", vk::kBack, true, false, false, KeyRoute::Edit},
      {"Left moves the caret", vk::kLeft, true, false, false, KeyRoute::Edit},
      {"Ctrl+V pastes", 'V', true, false, false, KeyRoute::Edit},
      {"Tab leaves the field", vk::kTab, true, false, false, KeyRoute::Dialog},
      {"Escape is the dialog's", vk::kEscape, true, false, false, KeyRoute::Dialog},
      {"Down is the dialog's", vk::kDown, true, false, false, KeyRoute::Dialog},
      {"Left on a radio button", vk::kLeft, false, false, false, KeyRoute::Dialog},
      {"Space on a button", vk::kSpace, false, false, false, KeyRoute::Dialog},
      {"Return on a button after a composition elsewhere", vk::kReturn, false, false, true, KeyRoute::InputMethod},
  };
  for (const Case& c : cases) EXPECT_EQ(cHook::Route(c.key, c.edit, c.composing, c.inBatch), c.route) << c.what;
}

}  // namespace
