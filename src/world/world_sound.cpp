#include "world/world_sound.h"

namespace {

cWorldSoundLink g_defaultSound;
cWorldSoundLink* g_sound = &g_defaultSound;

}  // namespace

void SetWorldSoundLink(cWorldSoundLink* link) { g_sound = link != nullptr ? link : &g_defaultSound; }

cWorldSoundLink& WorldSound() { return *g_sound; }
