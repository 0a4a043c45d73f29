#include "input/dialogs/hook.h"

#include "platform/input/virtual_keys.h"

KeyRoute cHook::Route(int virtualKey, bool editFocused, bool composing, bool compositionInBatch) {
  namespace vk = platform::vk;
  if (editFocused && composing) return KeyRoute::InputMethod;
  if (virtualKey == vk::kReturn && compositionInBatch) return KeyRoute::InputMethod;
  const bool dialogKey = virtualKey == vk::kTab || virtualKey == vk::kReturn || virtualKey == vk::kEscape ||
                         virtualKey == vk::kUp || virtualKey == vk::kDown;
  return editFocused && !dialogKey ? KeyRoute::Edit : KeyRoute::Dialog;
}
