#include "platform/input/scancode_table.h"

#include <SDL_scancode.h>

#include <array>

#include "platform/input/virtual_keys.h"

namespace platform {
namespace {

struct ScancodeRow {
  SDL_Scancode scancode;
  int virtualKey;
};

// Keys outside the runs of letters, digits, function keys and numpad digits.
constexpr ScancodeRow kRows[] = {
    {SDL_SCANCODE_RETURN, vk::kReturn},
    {SDL_SCANCODE_ESCAPE, vk::kEscape},
    {SDL_SCANCODE_BACKSPACE, vk::kBack},
    {SDL_SCANCODE_TAB, vk::kTab},
    {SDL_SCANCODE_SPACE, vk::kSpace},
    {SDL_SCANCODE_MINUS, vk::kOemMinus},
    {SDL_SCANCODE_EQUALS, vk::kOemPlus},
    {SDL_SCANCODE_LEFTBRACKET, vk::kOem4},
    {SDL_SCANCODE_RIGHTBRACKET, vk::kOem6},
    {SDL_SCANCODE_BACKSLASH, vk::kOem5},
    {SDL_SCANCODE_NONUSHASH, vk::kOem5},
    {SDL_SCANCODE_SEMICOLON, vk::kOem1},
    {SDL_SCANCODE_APOSTROPHE, vk::kOem7},
    {SDL_SCANCODE_GRAVE, vk::kOem3},
    {SDL_SCANCODE_COMMA, vk::kOemComma},
    {SDL_SCANCODE_PERIOD, vk::kOemPeriod},
    {SDL_SCANCODE_SLASH, vk::kOem2},
    {SDL_SCANCODE_CAPSLOCK, vk::kCapital},
    {SDL_SCANCODE_PRINTSCREEN, vk::kSnapshot},
    {SDL_SCANCODE_SCROLLLOCK, vk::kScroll},
    {SDL_SCANCODE_PAUSE, vk::kPause},
    {SDL_SCANCODE_INSERT, vk::kInsert},
    {SDL_SCANCODE_HOME, vk::kHome},
    {SDL_SCANCODE_PAGEUP, vk::kPrior},
    {SDL_SCANCODE_DELETE, vk::kDelete},
    {SDL_SCANCODE_END, vk::kEnd},
    {SDL_SCANCODE_PAGEDOWN, vk::kNext},
    {SDL_SCANCODE_RIGHT, vk::kRight},
    {SDL_SCANCODE_LEFT, vk::kLeft},
    {SDL_SCANCODE_DOWN, vk::kDown},
    {SDL_SCANCODE_UP, vk::kUp},
    {SDL_SCANCODE_NUMLOCKCLEAR, vk::kNumLock},
    {SDL_SCANCODE_KP_DIVIDE, vk::kDivide},
    {SDL_SCANCODE_KP_MULTIPLY, vk::kMultiply},
    {SDL_SCANCODE_KP_MINUS, vk::kSubtract},
    {SDL_SCANCODE_KP_PLUS, vk::kAdd},
    // The numpad's Enter is Return to the game, as it was.
    {SDL_SCANCODE_KP_ENTER, vk::kReturn},
    {SDL_SCANCODE_KP_PERIOD, vk::kDecimal},
    {SDL_SCANCODE_NONUSBACKSLASH, vk::kOem102},
    {SDL_SCANCODE_APPLICATION, vk::kApps},
    {SDL_SCANCODE_INTERNATIONAL1, vk::kOem102},  // ろ
    {SDL_SCANCODE_INTERNATIONAL2, vk::kKana},    // カタカナ/ひらがな
    {SDL_SCANCODE_INTERNATIONAL3, vk::kOem5},    // ￥
    {SDL_SCANCODE_INTERNATIONAL4, vk::kConvert},
    {SDL_SCANCODE_INTERNATIONAL5, vk::kNonConvert},
    {SDL_SCANCODE_LCTRL, vk::kLeftControl},
    {SDL_SCANCODE_LSHIFT, vk::kLeftShift},
    {SDL_SCANCODE_LALT, vk::kLeftMenu},
    {SDL_SCANCODE_LGUI, vk::kLeftWin},
    {SDL_SCANCODE_RCTRL, vk::kRightControl},
    {SDL_SCANCODE_RSHIFT, vk::kRightShift},
    {SDL_SCANCODE_RALT, vk::kRightMenu},
    {SDL_SCANCODE_RGUI, vk::kRightWin},
};

constexpr std::array<unsigned char, SDL_NUM_SCANCODES> BuildTable() {
  std::array<unsigned char, SDL_NUM_SCANCODES> table{};
  for (int i = 0; i < 26; ++i) table[SDL_SCANCODE_A + i] = static_cast<unsigned char>('A' + i);
  // The digit row runs 1..9 then 0.
  for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_1 + i] = static_cast<unsigned char>('1' + i);
  table[SDL_SCANCODE_0] = '0';
  for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F1 + i] = static_cast<unsigned char>(vk::kF1 + i);
  for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F13 + i] = static_cast<unsigned char>(vk::kF1 + 12 + i);
  for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_KP_1 + i] = static_cast<unsigned char>(vk::kNumpad0 + 1 + i);
  table[SDL_SCANCODE_KP_0] = vk::kNumpad0;
  for (const ScancodeRow& row : kRows) table[row.scancode] = static_cast<unsigned char>(row.virtualKey);
  return table;
}

constexpr auto kTable = BuildTable();

}  // namespace

int VirtualKeyFromScancode(int scancode) {
  if (scancode < 0 || scancode >= static_cast<int>(kTable.size())) return 0;
  return kTable[static_cast<std::size_t>(scancode)];
}

}  // namespace platform
