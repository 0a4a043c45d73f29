// The program's own sound and music services behind requests 1029 and 1030.

#include "app/request_services.h"
#include "sound/sound_effects.h"

void cRequestServices::PlaySoundEffect(int id) { DS_Play(&SoundSlots[id], 0); }
