#pragma once

#include <cstdint>
#include <span>

// A dialog's items as data, in dialog units (x × 5/3, y × 3/2 pixels).
enum class ItemKind { Picture, DefaultButton, Button, GroupBox, Radio, CheckBox, Static, Edit, List };

struct DialogItemTemplate {
  std::uint16_t id;  // 0xFFFF: an item the program never addresses
  ItemKind kind;
  const char* text;  // CP932
  int x, y, width, height;
};

struct DialogTemplate {
  std::uint16_t id;
  int width, height;  // dialog units
  std::span<const DialogItemTemplate> items;
};

inline constexpr int DialogUnitsToPixelsX(int units) { return units * 5 / 3; }
inline constexpr int DialogUnitsToPixelsY(int units) { return units * 3 / 2; }

// Template 103: the start-up question of drawing backend.
const DialogTemplate& BootDialogTemplate();
// Template 102: the ranking name.
const DialogTemplate& NameDialogTemplate();
