#include "platform/input/input_script.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>

#include "platform/diagnostics.h"
#include "platform/input/dialog_events.h"
#include "platform/input/joystick.h"
#include "platform/input/key_flags.h"
#include "platform/input/virtual_keys.h"
#include "platform/message_queue.h"
#include "platform/video/frame_overlay.h"

namespace platform {
namespace {

// A script is a few hundred lines; a bigger file is not a script.
constexpr std::streamsize kMaxScriptBytes = 4 << 20;
constexpr std::uint32_t kShotWaitMs = 10000;
constexpr long kMaxWait = 10'000'000;

bool ParseNumber(const std::string& word, long low, long high, long& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  value = std::strtol(word.c_str(), &end, 0);
  return *end == '\0' && value >= low && value <= high;
}

using Kind = InputScript::Command::Kind;

struct Verb {
  const char* name;
  Kind kind;
};
constexpr Verb kVerbs[] = {{"down", Kind::Down},     {"up", Kind::Up},           {"press", Kind::Press},
                           {"wait", Kind::Wait},     {"pad", Kind::Pad},         {"unplug", Kind::Unplug},
                           {"text", Kind::Text},     {"compose", Kind::Compose}, {"shot", Kind::Shot}};

// What follows the command word, as written.
std::string Rest(const std::string& line, const std::string& verb) {
  const std::size_t start = line.find(verb) + verb.size();
  const std::size_t first = line.find_first_not_of(" \t", start);
  if (first == std::string::npos) return {};
  const std::size_t last = line.find_last_not_of(" \t\r");
  return line.substr(first, last - first + 1);
}

// The reason a line is wrong, or empty when it is right.
std::string ParseLine(const std::string& line, const std::vector<std::string>& words, InputScript::Command& command) {
  const Verb* verb = nullptr;
  for (const Verb& row : kVerbs) {
    if (words[0] == row.name) verb = &row;
  }
  if (verb == nullptr) return "unknown command \"" + words[0] + "\"";
  command.kind = verb->kind;
  const std::size_t arguments = words.size() - 1;
  long value = 0;
  switch (verb->kind) {
    case Kind::Down:
    case Kind::Up:
    case Kind::Press:
      if (arguments == 0) return "no key named";
      for (std::size_t i = 1; i < words.size(); ++i) {
        const int key = VirtualKeyFromName(words[i].c_str());
        if (key == 0) return "unknown key \"" + words[i] + "\"";
        command.values.push_back(key);
      }
      return {};
    case Kind::Wait:
      if (arguments != 1 || !ParseNumber(words[1], 1, kMaxWait, value)) return "wait takes a count of 1 or more";
      command.values.push_back(static_cast<int>(value));
      return {};
    case Kind::Pad: {
      if (arguments != 4) return "pad takes an id, x, y and the button bits";
      static constexpr long kHigh[] = {kMaxJoysticks - 1, 65535, 65535, 0x7FFFFFFF};
      for (std::size_t i = 0; i < 4; ++i) {
        if (!ParseNumber(words[i + 1], 0, kHigh[i], value)) return "pad value out of range: " + words[i + 1];
        command.values.push_back(static_cast<int>(value));
      }
      return {};
    }
    case Kind::Unplug:
      if (arguments != 1 || !ParseNumber(words[1], 0, kMaxJoysticks - 1, value)) return "unplug takes a pad id";
      command.values.push_back(static_cast<int>(value));
      return {};
    case Kind::Text:
    case Kind::Compose:
      command.text = Rest(line, words[0]);
      if (verb->kind == Kind::Text && command.text.empty()) return "text takes the text typed";
      return {};
    case Kind::Shot:
      command.text = Rest(line, words[0]);
      if (command.text.empty()) return "shot takes a file name";
      return {};
  }
  return {};
}

}  // namespace

bool InputScript::Parse(std::string_view text, std::string& error) {
  std::vector<Command> commands;
  std::istringstream lines{std::string(text)};
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    std::istringstream wordStream(line);
    std::vector<std::string> words{std::istream_iterator<std::string>(wordStream), {}};
    if (words.empty() || words[0][0] == '#') continue;
    Command command{Kind::Wait, {}, {}};
    const std::string reason = ParseLine(line, words, command);
    if (!reason.empty()) {
      error = "input script line " + std::to_string(number) + ": " + reason;
      return false;
    }
    commands.push_back(std::move(command));
  }
  commands_ = std::move(commands);
  next_ = 0;
  waiting_ = 0;
  return true;
}

namespace {

void SetKey(int key, bool down) {
  const bool changed = IsKeyDown(key) != down;
  SetKeyDown(key, down);
  if (!changed) return;
  // Without a dialog a key going down is also the window's key message, as a real one is.
  if (!DialogCaptureActive()) {
    if (down) MainQueue().Post(Message{WM_KEYDOWN, static_cast<std::uintptr_t>(key), 0});
    return;
  }
  DialogEvent event(down ? DialogEvent::Kind::KeyDown : DialogEvent::Kind::KeyUp);
  event.virtualKey = key;
  event.control = IsKeyDown(vk::kControl);
  event.shift = IsKeyDown(vk::kShift);
  PushDialogEvent(std::move(event));
}

void PushText(DialogEvent::Kind kind, const std::string& text) {
  DialogEvent event(kind);
  event.text = text;
  PushDialogEvent(std::move(event));
}

}  // namespace

void InputScript::Step(bool drawsFrames) {
  for (int key : released_) SetKey(key, false);
  released_.clear();
  if (waiting_ > 0 && --waiting_ > 0) return;
  while (next_ < commands_.size()) {
    const Command& command = commands_[next_++];
    const std::vector<int>& v = command.values;
    switch (command.kind) {
      case Kind::Down:
        for (int key : v) SetKey(key, true);
        break;
      case Kind::Up:
        for (int key : v) SetKey(key, false);
        break;
      case Kind::Press:
        for (int key : v) SetKey(key, true);
        released_.insert(released_.end(), v.begin(), v.end());
        break;
      case Kind::Pad:
        PublishPad(v[0], JoyReading{static_cast<std::uint32_t>(v[1]), static_cast<std::uint32_t>(v[2]),
                                    static_cast<std::uint32_t>(v[3])});
        break;
      case Kind::Unplug: UnplugPad(v[0]); break;
      case Kind::Text: PushText(DialogEvent::Kind::Text, command.text); break;
      case Kind::Compose: PushText(DialogEvent::Kind::Composition, command.text); break;
      case Kind::Shot: RequestWindowShot(command.text, drawsFrames); break;
      case Kind::Wait:
        // This step is the first of the wait.
        waiting_ = v[0];
        return;
    }
  }
}

void StepInputScript(bool drawsFrames) {
  static std::once_flag loaded;
  static InputScript script;
  static bool usable = false;
  std::call_once(loaded, [] {
    const char* path = std::getenv("KESTREL_INPUT_SCRIPT");
    if (path == nullptr || path[0] == '\0') return;
    std::ifstream file(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(kMaxScriptBytes) + 1, '\0');
    file.read(text.data(), kMaxScriptBytes + 1);
    if (!file.bad() && file.gcount() <= kMaxScriptBytes && file.gcount() > 0) {
      text.resize(static_cast<std::size_t>(file.gcount()));
    } else {
      ReportDiagnostic("KESTREL_INPUT_SCRIPT: cannot read the file, or it is empty or bigger than 4 MB");
      return;
    }
    std::string error;
    usable = script.Parse(text, error);
    if (!usable) ReportDiagnostic("KESTREL_INPUT_SCRIPT: " + error);
  });
  if (!usable) return;
  // Bounded: a window that shows nothing never holds the script up for long.
  if (drawsFrames) WaitWindowShotTaken(kShotWaitMs);
  script.Step(drawsFrames);
}

}  // namespace platform
