#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sample {

// The bytes of a RIFF WAVE file holding mono 16-bit PCM samples.
std::string EncodeWave(const std::vector<std::int16_t>& samples, int rate);

}  // namespace sample
