#include <cctype>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "platform/input/virtual_keys.h"

namespace platform {
namespace {

struct KeyName {
  const char* name;
  int virtualKey;
};
constexpr KeyName kNames[] = {
    {"LButton", vk::kLeftButton}, {"RButton", vk::kRightButton}, {"Back", vk::kBack},
    {"Backspace", vk::kBack},     {"Tab", vk::kTab},             {"Return", vk::kReturn},
    {"Enter", vk::kReturn},       {"Shift", vk::kShift},         {"Control", vk::kControl},
    {"Ctrl", vk::kControl},       {"Alt", vk::kMenu},            {"Escape", vk::kEscape},
    {"Esc", vk::kEscape},         {"Space", vk::kSpace},         {"PageUp", vk::kPrior},
    {"PageDown", vk::kNext},      {"End", vk::kEnd},             {"Home", vk::kHome},
    {"Left", vk::kLeft},          {"Up", vk::kUp},               {"Right", vk::kRight},
    {"Down", vk::kDown},          {"Insert", vk::kInsert},       {"Delete", vk::kDelete},
    {"LShift", vk::kLeftShift},   {"RShift", vk::kRightShift},   {"LControl", vk::kLeftControl},
    {"RControl", vk::kRightControl}, {"LAlt", vk::kLeftMenu},    {"RAlt", vk::kRightMenu},
    {"Convert", vk::kConvert},    {"NonConvert", vk::kNonConvert}, {"Kana", vk::kKana},
};

}  // namespace

int VirtualKeyFromName(const char* name) {
  if (name == nullptr || name[0] == '\0') return 0;
  const std::size_t length = std::strlen(name);
  if (length == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return std::toupper(static_cast<unsigned char>(name[0]));
  }
  if ((name[0] == 'F' || name[0] == 'f') && std::isdigit(static_cast<unsigned char>(name[1]))) {
    char* end = nullptr;
    const long number = std::strtol(name + 1, &end, 10);
    if (*end == '\0' && number >= 1 && number <= 24) return vk::kF1 + static_cast<int>(number) - 1;
  }
  if (std::isdigit(static_cast<unsigned char>(name[0]))) {
    char* end = nullptr;
    const long number = std::strtol(name, &end, 0);
    return *end == '\0' && number > 0 && number < 256 ? static_cast<int>(number) : 0;
  }
  for (const KeyName& row : kNames) {
    if (strcasecmp(row.name, name) == 0) return row.virtualKey;
  }
  return 0;
}

}  // namespace platform
