#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Mono 16-bit samples to be encoded as an Ogg Vorbis file.
struct VorbisSource {
  std::vector<std::int16_t> samples;
  int rate = 22050;
  float quality = 0.3f;  // the encoder's variable-bit-rate quality, -0.1 to 1.0
  // The logical stream's serial number; a fixed one makes the same samples give the same bytes.
  int serial = 1;
};

// Encodes the samples into the bytes of a whole Ogg Vorbis file. False (and `out` empty) when
// the encoder refuses the settings or there are no samples.
bool EncodeOggVorbis(const VorbisSource& source, std::string& out);

}  // namespace platform
