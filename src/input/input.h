#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "platform/input/joystick.h"

// A word value of the run-length history and how many frames in a row it has held.
struct KeyRun {
  std::uint16_t state = 0;
  std::int32_t frames = 0;
};

// One entry of an event list: pressed 1 or 0, for how many frames in a row.
struct KeyEvent {
  std::int32_t pressed = 0;
  std::int32_t frames = 0;
};

inline constexpr int kKeyRunCount = 32;
inline constexpr int kKeyEventCount = 32;
inline constexpr int kDirEventLists = 10;
inline constexpr int kButtonEventLists = 9;

// The player's input of one frame, the direction word (1 left, 2 right, 4 up, 8 down) and the
// button word (bit i is button i + 1), with what menus, key conditions and replays read of it
// over time: key repeat, one-shot buttons, the history of changes and the press/release
// event lists. A plain value: copies are deep.
class cInput {
 public:
  cInput();

  void InitButtonMasks();
  void SetRepeat(std::uint32_t delay, std::uint32_t interval);

  // The built-in map (arrows, Z X C V A S D F, joystick `joystickId`); 0 without touching
  // anything when the key configuration is in use. Sources: bit 0 joystick, bit 1 keyboard.
  int PollDefault(int joystickId, int sources, int retry);
  // The key configuration's bindings; 0 without touching anything when it is not in use.
  int PollConfigured(int blocks, int retry);
  static bool TestJoyAxis(const platform::JoyReading& reading, std::uint16_t code);

  void ApplyKeyRepeat();
  void FilterButtonPress(std::int32_t mask);
  void ClearDirections() { m_wDir = 0; }
  void ClearButtons() { m_wButton = 0; }

  void ClearHistory();
  void PushHistory();
  // The word of ring 0 (directions) or 1 (buttons) n frames ago; n = 0 is this frame.
  std::uint16_t HistoryAgo(int ring, int n) const;

  void ResetEvents();
  void UpdateEvents();
  static void UpdateEvent(cVector<KeyEvent>& list, std::uint16_t word, std::uint16_t value, bool byMask);

  std::uint16_t m_wDir = 0;
  std::uint16_t m_wButton = 0;
  std::uint16_t m_wDirHistory = 0;
  KeyRun m_Runs[2][kKeyRunCount]{};
  std::int32_t m_nRunHead[2]{};
  cVector<cVector<KeyEvent>> m_DirEvents;
  cVector<cVector<KeyEvent>> m_ButtonEvents;
  std::uint32_t m_nRepeatH = 0;
  std::uint32_t m_nRepeatV = 0;
  std::uint32_t m_nRepeatDelay = 0;
  std::uint32_t m_nRepeatInterval = 0;
  std::int32_t m_bButtonLatch = 0;
  std::uint16_t m_wJoyButtonMask[8]{};
  // One retry pair per joystick, so that a failing pad does not stop the reading of another.
  std::int32_t m_bJoyOk[platform::kMaxJoysticks]{};
  std::int32_t m_nJoyRetry[platform::kMaxJoysticks]{};

 private:
  // True and the reading when joystick `id` is due and answers; counts the retry down when
  // it is not due.
  bool ReadJoystick(int id, int retry, platform::JoyReading& reading);
  bool RepeatFilters(std::uint32_t counter) const;
};

// The direction code 1..9 (5 at rest) of a direction word: 5 + dx + 3·dy.
int DirCodeFromBits(std::uint16_t bits);

// The player's input state; element 0 is the player and the only one polled.
extern cVector<cInput> PlayerInputs;

// One frame's poll of element 0 of `inputs` (the players' states or a modal display's copy):
// the configured map when the key configuration is in use, else the built-in one. A headless
// input script takes its step here, once per frame of whichever loop reads input.
void PollInputs(cVector<cInput>& inputs);
