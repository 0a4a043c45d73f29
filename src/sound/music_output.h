#pragma once

#include "platform/sound/sound_mixer.h"

// The mixer that music plays into: the process's sound device, or one a test renders itself.
platform::SoundMixer& MusicMixer();
// nullptr puts the device's own back.
void SetMusicMixer(platform::SoundMixer* mixer);
