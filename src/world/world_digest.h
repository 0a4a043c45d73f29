#pragma once

#include <cstdint>

class cScenePlay;

// A checksum of the play field: every object's position, speeds and state (doubles by their
// bits), the order of the lists, the stage variables and the random generator. Two runs, or
// a game and its replay, agree when their digests agree frame by frame.
std::uint64_t WorldDigest(const cScenePlay& scene);
