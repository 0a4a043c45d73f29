#include "sound/sound_effects.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/game_requests.h"
#include "core/report_log.h"
#include "platform/sound/audio_output.h"
#include "sound/wave_file.h"

cVector<SoundSlot> SoundSlots;
cVector<SoundNameRow> SoundNameRows;

namespace {

struct SoundLibrary {
  platform::SoundMixer* mixer = nullptr;  // null: no sound device, every operation does nothing
  bool ownsDevice = false;
  cVector<SoundSlot>* slots = nullptr;
  cVector<SoundNameRow>* rows = nullptr;
};
SoundLibrary g_library;

platform::SoundBuffer* BufferAt(SoundSlot* slot, std::int32_t index) {
  if (slot == nullptr || index < 0 || static_cast<std::size_t>(index) >= slot->buffers.size()) return nullptr;
  platform::SoundBuffer& buffer = slot->buffers[static_cast<std::size_t>(index)];
  return buffer ? &buffer : nullptr;
}

}  // namespace

std::intptr_t PlaySE(std::int32_t id) {
  return SendToMainWindow(kRequestSound, static_cast<std::uintptr_t>(static_cast<std::uint32_t>(id)), 0);
}

void PlayUserSE(std::int16_t n) {
  if (n != 0) PlaySE(n + kProjectSoundBase);
}

bool DS_Init(std::uintptr_t /*window*/, std::int32_t rate, std::int32_t bits, std::int32_t channels) {
  if (g_library.mixer != nullptr) return true;
  platform::AudioOutput& output = platform::SharedAudio();
  std::string reason;
  if (!output.Start(reason)) return false;
  if (!reason.empty()) Log("sound device could not open (%s): playing on the null device", reason.c_str());
  Log("sound device %s: %d Hz 16-bit stereo (asked for %d Hz %d-bit %d channel)", output.BackendName(),
      platform::SoundMixer::kRate, static_cast<int>(rate), static_cast<int>(bits), static_cast<int>(channels));
  g_library.mixer = &output.Mixer();
  g_library.ownsDevice = true;
  return true;
}

void DS_InitOffline(platform::SoundMixer& mixer) {
  g_library = SoundLibrary{};
  g_library.mixer = &mixer;
}

bool DS_Initialised() { return g_library.mixer != nullptr; }

void DS_UnInit() {
  if (g_library.mixer == nullptr) return;
  if (g_library.slots != nullptr) {
    for (SoundSlot& slot : *g_library.slots) DS_ReleaseSound(&slot);
  }
  if (g_library.ownsDevice) platform::SharedAudio().Stop();
  g_library = SoundLibrary{};
}

int DS_LoadSounds(cVector<SoundSlot>& slots, cVector<SoundNameRow>& rows, std::int32_t volume) {
  g_library.slots = &slots;
  g_library.rows = &rows;
  if (g_library.mixer == nullptr) return 1;
  for (int i = 0; i < static_cast<int>(slots.size()); ++i) {
    if (!slots[i].buffers.empty()) continue;
    const SoundNameRow& row = rows[i];
    DS_LoadSound(&slots[i], row.name, row.count, volume != 0 ? volume : row.volume);
  }
  return 1;
}

bool DS_LoadSound(SoundSlot* slot, const char* file, std::int32_t count, std::int32_t volume) {
  if (g_library.mixer == nullptr) return true;
  *slot = SoundSlot{};
  if (std::strlen(file) >= sizeof slot->name) {
    ErrLogf("%s読み込み失敗！", file);
    return false;
  }
  if (count < 1) count = 1;
  slot->buffers.assign(static_cast<std::size_t>(count), nullptr);
  if (!DS_CreateBufferFromWave(&slot->buffers[0], file)) return false;
  for (int i = 1; i < count; ++i) {
    if (!DS_DuplicateBuffer(&slot->buffers[static_cast<std::size_t>(i)], slot->buffers[0])) {
      ErrLogf("%sのメモリ共用バッファの生成失敗！", file);
      return false;
    }
  }
  slot->count = count;
  std::snprintf(slot->name, sizeof slot->name, "%s", file);
  if (volume != 0) {
    for (int i = 0; i < count; ++i) DS_SetVolume(slot, i, volume, false);
  }
  return true;
}

bool DS_CreateBufferFromWave(platform::SoundBuffer* out, const char* file) {
  if (g_library.mixer == nullptr) return true;
  WaveData wave;
  if (!ReadWaveFile(file, &wave)) {
    ErrLogf("%s読み込み失敗！", file);
    return false;
  }
  if (WaveFormatPlayable(wave.format)) {
    const platform::PcmFormat format{static_cast<int>(wave.format.samplesPerSec), wave.format.channels,
                                     wave.format.bitsPerSample};
    *out = g_library.mixer->CreateBuffer(format, wave.samples.data(), wave.size);
  }
  FreeWaveData(&wave);
  if (!*out) {
    ErrLogf("%s生成失敗！", file);
    return false;
  }
  return true;
}

bool DS_DuplicateBuffer(platform::SoundBuffer* out, const platform::SoundBuffer& source) {
  if (g_library.mixer == nullptr) return true;
  *out = g_library.mixer->Duplicate(source);
  return static_cast<bool>(*out);
}

void DS_ReleaseSound(SoundSlot* slot) {
  if (g_library.mixer == nullptr || slot->buffers.empty()) return;
  for (std::size_t i = slot->buffers.size(); i-- > 1;) g_library.mixer->Release(slot->buffers[i]);
  g_library.mixer->Release(slot->buffers[0]);
  slot->buffers.clear();
  slot->count = 0;
  slot->next = 0;
}

void DS_Play(SoundSlot* slot, std::uint32_t flags) {
  if (g_library.mixer == nullptr || slot == nullptr || slot->count <= 0) return;
  if (platform::SoundBuffer* buffer = BufferAt(slot, slot->next)) {
    g_library.mixer->Stop(*buffer);
    g_library.mixer->SetPosition(*buffer, 0);
    g_library.mixer->Play(*buffer, (flags & DSBPLAY_LOOPING) != 0);
  }
  slot->next = slot->next + 1 >= slot->count ? 0 : slot->next + 1;
}

std::int32_t DS_SetVolume(SoundSlot* slot, std::int32_t index, std::int32_t volume, bool relative) {
  if (g_library.mixer == nullptr) return 0;
  platform::SoundBuffer* buffer = BufferAt(slot, index);
  if (buffer == nullptr) return 0;
  if (relative) volume += platform::SoundMixer::Volume(*buffer);
  volume = std::clamp(volume, -10000, 0);
  g_library.mixer->SetVolume(*buffer, volume);
  return volume;
}

std::int32_t DS_GetVolume(SoundSlot* slot, std::int32_t index) {
  if (g_library.mixer == nullptr) return 0;
  platform::SoundBuffer* buffer = BufferAt(slot, index);
  return buffer == nullptr ? 0 : platform::SoundMixer::Volume(*buffer);
}

void DS_PlayOnCursorKey(const std::int32_t* word, std::int32_t mask, std::int32_t id) {
  if (g_library.mixer == nullptr || g_library.slots == nullptr || word == nullptr) return;
  if ((mask & 1) != 0 && (*word & 3) != 0) DS_Play(&(*g_library.slots)[id], 0);
  if ((mask & 2) != 0 && (*word & 12) != 0) DS_Play(&(*g_library.slots)[id], 0);
}
