#include "platform/input/scancode_table.h"

#include <gtest/gtest.h>

#include "platform/input/virtual_keys.h"

namespace {

// Scancodes are the USB keyboard usage numbers, the same on every layout.
TEST(ScancodeTable, KeysByPosition) {
  struct Case {
    int scancode;
    int virtualKey;
    const char* what;
  };
  const Case cases[] = {
      {4, 'A', "A"},          {29, 'Z', "Z (stays put on an AZERTY or QWERTZ board)"},
      {27, 'X', "X"},         {6, 'C', "C"},
      {25, 'V', "V"},         {30, '1', "1"},
      {38, '9', "9"},         {39, '0', "0"},
      {40, 0x0D, "Return"},   {41, 0x1B, "Escape"},
      {42, 0x08, "Backspace"}, {43, 0x09, "Tab"},
      {44, 0x20, "Space"},    {45, 0xBD, "minus"},
      {46, 0xBB, "equals"},   {47, 0xDB, "["},
      {48, 0xDD, "]"},        {49, 0xDC, "backslash"},
      {51, 0xBA, ";"},        {52, 0xDE, "'"},
      {53, 0xC0, "`"},        {54, 0xBC, ","},
      {55, 0xBE, "."},        {56, 0xBF, "/"},
      {58, 0x70, "F1"},       {69, 0x7B, "F12"},
      {104, 0x7C, "F13"},     {115, 0x87, "F24"},
      {73, 0x2D, "Insert"},   {74, 0x24, "Home"},
      {75, 0x21, "PageUp"},   {76, 0x2E, "Delete"},
      {77, 0x23, "End"},      {78, 0x22, "PageDown"},
      {79, 0x27, "Right"},    {80, 0x25, "Left"},
      {81, 0x28, "Down"},     {82, 0x26, "Up"},
      {84, 0x6F, "numpad /"}, {85, 0x6A, "numpad *"},
      {86, 0x6D, "numpad -"}, {87, 0x6B, "numpad +"},
      {88, 0x0D, "numpad Enter"}, {89, 0x61, "numpad 1"},
      {97, 0x69, "numpad 9"}, {98, 0x60, "numpad 0"},
      {99, 0x6E, "numpad ."}, {138, 0x1C, "変換"},
      {139, 0x1D, "無変換"},  {136, 0x15, "かな"},
      {224, 0xA2, "left Ctrl"}, {225, 0xA0, "left Shift"},
      {226, 0xA4, "left Alt"}, {228, 0xA3, "right Ctrl"},
      {229, 0xA1, "right Shift"}, {230, 0xA5, "right Alt"},
      {0, 0, "unknown"},      {-1, 0, "negative"},
      {100000, 0, "far past the table"},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::VirtualKeyFromScancode(c.scancode), c.virtualKey) << c.what;
}

TEST(VirtualKeyNames, ScriptNames) {
  const std::pair<const char*, int> cases[] = {
      {"Left", 0x25}, {"return", 0x0D}, {"z", 'Z'},   {"7", '7'},     {"F5", 0x74},   {"F24", 0x87},
      {"F25", 0},     {"0x41", 'A'},    {"65", 'A'},  {"256", 0},     {"Convert", 0x1C}, {"Nope", 0},
      {"", 0},        {"LShift", 0xA0}, {"Esc", 0x1B},
  };
  for (const auto& [name, key] : cases) EXPECT_EQ(platform::VirtualKeyFromName(name), key) << name;
}

}  // namespace
