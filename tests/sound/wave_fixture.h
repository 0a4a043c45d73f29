#pragma once

#include <cstdint>
#include <string>

#include "support/byte_builder.h"

namespace soundtest {

// A WAVE file written by hand, chunk by chunk, so that broken and unusual files can be made.
struct WaveFixture {
  std::uint16_t tag = 1;
  std::uint16_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint16_t bits = 8;
  std::uint16_t blockAlign = 0;  // 0: channels x bits / 8
  std::uint32_t fmtSize = 16;    // bytes of the "fmt " chunk; past 16 filled with zeros
  std::string before;            // whole chunks between "fmt " and "data"
  std::string samples = std::string(64, '\x80');
  std::uint32_t dataSize = 0xFFFFFFFF;  // as declared; default the samples' size
  std::uint32_t riffSize = 0xFFFFFFFF;  // as declared; default the true size

  std::string Bytes() const {
    testsupport::ByteBuilder fmt;
    fmt.u16(tag).u16(channels).u32(rate);
    const std::uint16_t align = blockAlign != 0 ? blockAlign : static_cast<std::uint16_t>(channels * bits / 8);
    fmt.u32(rate * align).u16(align).u16(bits);
    std::string fmtBody = fmt.bytes().substr(0, fmtSize);
    fmtBody.resize(fmtSize, '\0');
    testsupport::ByteBuilder body;
    body.raw("WAVE").raw("fmt ").u32(fmtSize).raw(fmtBody);
    if (fmtSize % 2 != 0) body.u8(0);
    body.raw(before).raw("data").u32(dataSize != 0xFFFFFFFF ? dataSize : static_cast<std::uint32_t>(samples.size()));
    body.raw(samples);
    testsupport::ByteBuilder file;
    file.raw("RIFF").u32(riffSize != 0xFFFFFFFF ? riffSize : static_cast<std::uint32_t>(body.bytes().size()));
    file.raw(body.bytes());
    return file.bytes();
  }
};

}  // namespace soundtest
