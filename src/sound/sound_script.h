#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Sound effects played at given frames, for whole-program runs without input:
// KESTREL_SOUND_SCRIPT="frame:id,frame:id,...". Each goes through PlaySE, the real request.
struct ScriptedSound {
  std::int64_t frame = 0;
  std::int32_t id = 0;
};

// Entries that do not read as two numbers are left out.
std::vector<ScriptedSound> ParseSoundScript(std::string_view text);

// Game thread, once a frame: plays what the script holds for this frame.
void RunSoundScript(std::int64_t frame);
