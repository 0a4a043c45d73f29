#include "input/input.h"

#include <algorithm>
#include <climits>

#include "input/input_source.h"
#include "input/key_config.h"
#include "platform/input/input_script.h"

cVector<cInput> PlayerInputs(1);

namespace {

constexpr std::uint16_t kDefaultDirKeys[] = {37, 39, 38, 40};  // left, right, up, down
constexpr std::uint16_t kDefaultButtonKeys[] = {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};

constexpr std::uint32_t kAxisLow = 10000;
constexpr std::uint32_t kAxisHigh = 55535;

void Saturate(std::int32_t& frames) {
  if (frames < INT_MAX) ++frames;
}

cVector<KeyEvent> FreshEventList() { return cVector<KeyEvent>(kKeyEventCount, KeyEvent{}); }

struct EventPattern {
  std::uint16_t value;
  bool byMask;
};
constexpr EventPattern kDirPatterns[kDirEventLists] = {{0, false}, {1, false}, {2, false}, {4, false}, {8, false},
                                                       {5, false}, {9, false}, {6, false}, {10, false}, {15, true}};
constexpr EventPattern kButtonPatterns[kButtonEventLists] = {{0, false},  {1, true},  {2, true},  {4, true}, {8, true},
                                                             {16, true}, {32, true}, {64, true}, {128, true}};

}  // namespace

cInput::cInput() { ResetEvents(); }

void cInput::InitButtonMasks() {
  for (int i = 0; i < 8; ++i) m_wJoyButtonMask[i] = static_cast<std::uint16_t>(1u << i);
}

void cInput::SetRepeat(std::uint32_t delay, std::uint32_t interval) {
  m_nRepeatDelay = delay;
  m_nRepeatInterval = interval;
}

bool cInput::ReadJoystick(int id, int retry, platform::JoyReading& reading) {
  if (id < 0 || id >= platform::kMaxJoysticks) return false;
  std::int32_t& ok = m_bJoyOk[id];
  std::int32_t& wait = m_nJoyRetry[id];
  if (ok == 0 && wait > 0) {
    --wait;
    return false;
  }
  if (InputSource().ReadJoystick(id, reading) != 0) {
    ok = 0;
    wait = 2 * std::clamp(retry, 0, INT_MAX / 2);
    return false;
  }
  ok = 1;
  return true;
}

int cInput::PollDefault(int joystickId, int sources, int retry) {
  if (PlayerKeyConfig.inUse != 0) return 0;
  bool joyDirection = false;
  bool joyButton = false;
  platform::JoyReading reading;
  if (ReadJoystick(joystickId, retry, reading) && (sources & 1) != 0) {
    m_wDir = 0;
    if (reading.x <= kAxisLow) m_wDir = 1;
    else if (reading.x >= kAxisHigh) m_wDir = 2;
    if (reading.y <= kAxisLow) m_wDir |= 4;
    else if (reading.y >= kAxisHigh) m_wDir |= 8;
    joyDirection = m_wDir != 0;
    m_wButton = 0;
    for (int i = 0; i < 8; ++i) {
      if ((reading.buttons & m_wJoyButtonMask[i]) != 0) m_wButton |= static_cast<std::uint16_t>(1u << i);
    }
    joyButton = m_wButton != 0;
  }
  if ((sources & 2) == 0) return 1;
  cInputSource& source = InputSource();
  if (!joyDirection) {
    m_wDir = 0;
    for (int i = 0; i < 4; ++i) {
      if (source.KeyDown(kDefaultDirKeys[i])) m_wDir |= static_cast<std::uint16_t>(1u << i);
    }
  }
  if (!joyButton) {
    m_wButton = 0;
    for (int i = 0; i < 8; ++i) {
      if (source.KeyDown(kDefaultButtonKeys[i])) m_wButton |= static_cast<std::uint16_t>(1u << i);
    }
  }
  return 1;
}

bool cInput::TestJoyAxis(const platform::JoyReading& reading, std::uint16_t code) {
  switch (code) {
    case 256: return reading.x <= kAxisLow;
    case 512: return reading.x >= kAxisHigh;
    case 1024: return reading.y <= kAxisLow;
    case 2048: return reading.y >= kAxisHigh;
    default: return false;
  }
}

int cInput::PollConfigured(int /*blocks*/, int retry) {
  const KeyConfig& config = PlayerKeyConfig;
  if (config.inUse == 0) return 0;
  // The record holds one block of twelve bindings; a larger count or more blocks would read
  // past it.
  const int joysticks = std::clamp(config.joystickCount, 0, platform::kMaxJoysticks);
  platform::JoyReading readings[platform::kMaxJoysticks];
  bool read[platform::kMaxJoysticks] = {};
  for (int id = 0; id < joysticks; ++id) read[id] = ReadJoystick(id, retry, readings[id]);

  cInputSource& source = InputSource();
  const auto down = [&](int index, bool direction) {
    const KeyBinding& binding = config.bindings[index];
    if (binding.device == kKeyboardDevice) return binding.code < 256 && source.KeyDown(binding.code);
    // A pad that was not read this frame, or is not polled at all, reads as up.
    if (binding.device < 0 || binding.device >= joysticks || !read[binding.device]) return false;
    const platform::JoyReading& reading = readings[binding.device];
    return (direction && TestJoyAxis(reading, binding.code)) || (reading.buttons & binding.code) != 0;
  };
  m_wDir = 0;
  m_wButton = 0;
  if (down(0, true)) m_wDir |= 1;
  else if (down(1, true)) m_wDir |= 2;
  if (down(2, true)) m_wDir |= 4;
  else if (down(3, true)) m_wDir |= 8;
  const int count = std::min(config.bindingCount, kKeyBindingCount);
  for (int j = 0; j + 4 < count; ++j) {
    if (down(4 + j, false)) m_wButton |= static_cast<std::uint16_t>(1u << j);
  }
  return 1;
}

// With an interval of 0 a held pair never repeats: no counter is a multiple of 0.
bool cInput::RepeatFilters(std::uint32_t counter) const {
  return counter < m_nRepeatDelay || m_nRepeatInterval == 0 || counter % m_nRepeatInterval != 0;
}

void cInput::ApplyKeyRepeat() {
  m_wDirHistory = static_cast<std::uint16_t>((m_wDirHistory << 4) | m_wDir);
  struct Pair {
    std::uint16_t bits;
    std::uint32_t& counter;
  };
  Pair pairs[] = {{0x3, m_nRepeatH}, {0xC, m_nRepeatV}};
  for (Pair& pair : pairs) {
    const unsigned now = m_wDirHistory & pair.bits;
    const unsigned before = (m_wDirHistory >> 4) & pair.bits;
    if (now != before) {
      pair.counter = 0;
      continue;
    }
    ++pair.counter;
    if (RepeatFilters(pair.counter)) m_wDir = static_cast<std::uint16_t>(m_wDir & ~pair.bits);
  }
}

void cInput::FilterButtonPress(std::int32_t mask) {
  if (mask == 0) mask = 255;
  const std::uint16_t onEntry = m_wButton;
  for (int bit = 0; bit < 8; ++bit) {
    const std::uint16_t b = static_cast<std::uint16_t>(1u << bit);
    if ((mask & b) == 0) continue;
    if (m_bButtonLatch == 1 && (m_wButton & b) != 0) m_wButton = static_cast<std::uint16_t>(m_wButton & ~b);
    if ((m_wButton & b) != 0 && m_bButtonLatch == 0) {
      m_bButtonLatch = 1;
      return;
    }
  }
  if ((onEntry & mask) == 0) m_bButtonLatch = 0;
  else m_wButton = static_cast<std::uint16_t>(m_wButton & ~mask);
}

void cInput::ClearHistory() {
  for (auto& ring : m_Runs) std::fill(std::begin(ring), std::end(ring), KeyRun{});
  m_nRunHead[0] = m_nRunHead[1] = 0;
}

void cInput::PushHistory() {
  const std::uint16_t words[2] = {m_wDir, m_wButton};
  for (int r = 0; r < 2; ++r) {
    KeyRun& newest = m_Runs[r][m_nRunHead[r]];
    if (words[r] == newest.state) {
      Saturate(newest.frames);
      continue;
    }
    m_nRunHead[r] = (m_nRunHead[r] + 1) % kKeyRunCount;
    m_Runs[r][m_nRunHead[r]] = KeyRun{words[r], 1};
  }
}

std::uint16_t cInput::HistoryAgo(int ring, int n) const {
  if (ring != 0 && ring != 1) return 0;
  long long remaining = static_cast<long long>(n) + 1;
  int index = m_nRunHead[ring];
  for (int step = 0; step < kKeyRunCount && remaining > m_Runs[ring][index].frames; ++step) {
    remaining -= m_Runs[ring][index].frames;
    index = (index + kKeyRunCount - 1) % kKeyRunCount;
  }
  return m_Runs[ring][index].state;
}

void cInput::ResetEvents() {
  m_DirEvents.assign(kDirEventLists, FreshEventList());
  m_ButtonEvents.assign(kButtonEventLists, FreshEventList());
}

void cInput::UpdateEvent(cVector<KeyEvent>& list, std::uint16_t word, std::uint16_t value, bool byMask) {
  const bool pressed = byMask ? (word & value) != 0 : word == value;
  KeyEvent& current = list[0];
  if (current.pressed == 0 && pressed) {
    list.insert(list.begin(), KeyEvent{1, 1});
    list.pop_back();
  } else if (current.pressed == 1 && !pressed) {
    list.insert(list.begin(), KeyEvent{0, 1});
    list.pop_back();
  } else {
    Saturate(current.frames);
  }
}

void cInput::UpdateEvents() {
  for (int i = 0; i < kDirEventLists; ++i) UpdateEvent(m_DirEvents[i], m_wDir, kDirPatterns[i].value, kDirPatterns[i].byMask);
  for (int i = 0; i < kButtonEventLists; ++i) {
    UpdateEvent(m_ButtonEvents[i], m_wButton, kButtonPatterns[i].value, kButtonPatterns[i].byMask);
  }
}

int DirCodeFromBits(std::uint16_t bits) {
  const int dx = ((bits & 2) != 0 ? 1 : 0) - ((bits & 1) != 0 ? 1 : 0);
  const int dy = ((bits & 8) != 0 ? 1 : 0) - ((bits & 4) != 0 ? 1 : 0);
  return 5 + dx + 3 * dy;
}

void PollInputs(cVector<cInput>& inputs) {
  platform::StepInputScript();
  cInput& input = inputs[0];
  if (PlayerKeyConfig.inUse != 0) input.PollConfigured(1, 60);
  else input.PollDefault(0, 3, 60);
}
