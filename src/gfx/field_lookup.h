#pragma once

#include <immintrin.h>

#include <cstdint>

// Byte tables of up to 64 entries indexed by a pixel's 5- or 6-bit field, looked up with AVX2
// byte shuffles, 32 fields a vector. A per-field result (a faded or tinted channel) is worked
// out once a call for each field value, so the rows only look it up.
struct FieldTable {
  __m256i part[4];  // entries 0-15, 16-31, 32-47, 48-63, each in both 128-bit halves
};

[[gnu::target("avx2")]] inline FieldTable LoadFieldTable(const std::uint8_t (&entries)[64]) {
  FieldTable table;
  for (int k = 0; k < 4; ++k) {
    table.part[k] = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(entries + 16 * k)));
  }
  return table;
}

// Fields (0..63 in bytes) to their table entries. Only a byte's bits 0-4 (0-5 with six bits)
// and bit 7 are read, so the bits between need no mask.
[[gnu::target("avx2")]] inline __m256i LookUpField(const FieldTable& table, __m256i fields, bool sixBits) {
  const __m256i low = _mm256_shuffle_epi8(table.part[0], fields);
  const __m256i high = _mm256_shuffle_epi8(table.part[1], fields);
  const __m256i bit4 = _mm256_slli_epi16(fields, 3);  // bit 4 to bit 7 of each byte: blendv's selector
  __m256i out = _mm256_blendv_epi8(low, high, bit4);
  if (sixBits) {
    const __m256i low2 = _mm256_shuffle_epi8(table.part[2], fields);
    const __m256i high2 = _mm256_shuffle_epi8(table.part[3], fields);
    const __m256i upper = _mm256_blendv_epi8(low2, high2, bit4);
    out = _mm256_blendv_epi8(out, upper, _mm256_slli_epi16(fields, 2));  // bit 5
  }
  return out;
}
