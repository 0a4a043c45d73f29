#pragma once

#include <cstdint>

// The game's only source of randomness. It reproduces the sequence of the C runtime the kit's
// games were made with, so a replay that stores the seed plays back the same game; the host C
// library's rand() follows a different sequence and is never used by game logic.

// Restarts the sequence. Before the first call the generator runs as if seeded with 1.
void SeedGameRandom(std::uint32_t seed);

// The next number of the sequence, 0 to 32767.
int GameRandom();

// The generator's state, for checksums of a game's state; reading it draws nothing.
std::uint32_t GameRandomState();
