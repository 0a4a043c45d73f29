#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/checked_sequence.h"
#include "platform/sound/sound_mixer.h"

// One loaded sound: buffer 0 holds the samples, buffers 1 to count - 1 are duplicates of it,
// so that the effect can overlap itself; plays take the buffers in turn.
struct SoundSlot {
  char name[260] = {};
  std::vector<platform::SoundBuffer> buffers;  // empty: not loaded
  std::int32_t count = 0;
  std::int32_t next = 0;
};

// The file, duplicate count and volume a slot is loaded with.
struct SoundNameRow {
  char name[260] = {};
  std::int32_t count = 0;
  std::int32_t volume = 0;
  std::int32_t flag = 0;
};

// Sound ids 0-16 are the system sounds; project sound n is id n + 16.
inline constexpr int kSystemSoundSlots = 17;
inline constexpr int kProjectSoundBase = 16;

extern cVector<SoundSlot> SoundSlots;
extern cVector<SoundNameRow> SoundNameRows;

// The options' eleven sound-effect volume steps, in hundredths of a decibel.
inline constexpr std::array<std::int32_t, 11> kSoundVolumeTable = {-10000, -3000, -2000, -1300, -800, -500,
                                                                    -300,   -150,  -80,   -30,   0};

// Game thread: asks the main window to play the sound and waits until it has started.
std::intptr_t PlaySE(std::int32_t id);
// Project sound n (n = 0 plays nothing).
void PlayUserSE(std::int16_t n);

// The device is opened at its own rate (44100 Hz stereo); the asked-for format is only
// logged. A device that cannot open leaves the null device in its place (one report-log
// line), so this fails only when no sound can be had at all.
bool DS_Init(std::uintptr_t window, std::int32_t rate, std::int32_t bits, std::int32_t channels);
// Tests: the operations work on this mixer, which nothing renders but the test.
void DS_InitOffline(platform::SoundMixer& mixer);
void DS_UnInit();
bool DS_Initialised();

int DS_LoadSounds(cVector<SoundSlot>& slots, cVector<SoundNameRow>& rows, std::int32_t volume);
bool DS_LoadSound(SoundSlot* slot, const char* file, std::int32_t count, std::int32_t volume);
bool DS_CreateBufferFromWave(platform::SoundBuffer* out, const char* file);
bool DS_DuplicateBuffer(platform::SoundBuffer* out, const platform::SoundBuffer& source);
void DS_ReleaseSound(SoundSlot* slot);
void DS_Play(SoundSlot* slot, std::uint32_t flags);
std::int32_t DS_SetVolume(SoundSlot* slot, std::int32_t index, std::int32_t volume, bool relative);
std::int32_t DS_GetVolume(SoundSlot* slot, std::int32_t index);
void DS_PlayOnCursorKey(const std::int32_t* word, std::int32_t mask, std::int32_t id);

// DS_Play's flag for a looping play.
inline constexpr std::uint32_t DSBPLAY_LOOPING = 1;
