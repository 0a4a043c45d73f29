#include "sound/sound_script.h"

#include <charconv>
#include <cstdlib>

#include "sound/sound_effects.h"

namespace {

bool ReadNumber(std::string_view text, std::int64_t& value) {
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && at == end;
}

}  // namespace

std::vector<ScriptedSound> ParseSoundScript(std::string_view text) {
  std::vector<ScriptedSound> script;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view entry = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const std::size_t colon = entry.find(':');
    if (colon == std::string_view::npos) continue;
    std::int64_t frame = 0;
    std::int64_t id = 0;
    if (!ReadNumber(entry.substr(0, colon), frame) || !ReadNumber(entry.substr(colon + 1), id)) continue;
    if (frame < 0 || id < INT32_MIN || id > INT32_MAX) continue;
    script.push_back({frame, static_cast<std::int32_t>(id)});
  }
  return script;
}

void RunSoundScript(std::int64_t frame) {
  static const std::vector<ScriptedSound> script = [] {
    const char* text = std::getenv("KESTREL_SOUND_SCRIPT");
    return text != nullptr ? ParseSoundScript(text) : std::vector<ScriptedSound>();
  }();
  for (const ScriptedSound& entry : script) {
    if (entry.frame == frame) PlaySE(entry.id);
  }
}
