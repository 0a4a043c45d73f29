// The tint rows on the baseline and the AVX2 path against the rules written pixel by pixel: the
// halving loop run step by step, the float weights truncated per channel, and the 16-bit words
// looked up field by field.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "gfx/tint_kernels.h"
#include "support/kernel_paths.h"

namespace {

using TintPaths = kerneltest::KernelPaths;

struct Rows {
  std::vector<DWORD> source, target;
};

// Random pixels, a quarter of them the key (or of alpha 0).
Rows RandomRows(std::mt19937& random, int n, DWORD key) {
  Rows rows;
  for (int i = 0; i < n; ++i) {
    const DWORD s = static_cast<DWORD>(random());
    rows.source.push_back(random() % 4 == 0 ? key : s);
    rows.target.push_back(static_cast<DWORD>(random()));
  }
  return rows;
}

DWORD Channel(DWORD p, int c) { return (p >> (16 - 8 * c)) & 0xFF; }

TEST_P(TintPaths, HalvingIsTheLoopStepByStep) {
  std::mt19937 random(11);
  constexpr DWORD kKey = 0x00FF00FF;
  for (int steps : {0, 1, 2, 3, 7, 8, 9, 16, 40}) {
    for (int width : {1, 7, 8, 33, 75}) {
      for (bool keyed : {false, true}) {
        const TintHalving h{steps, {static_cast<BYTE>(random()), static_cast<BYTE>(random()), 0}};
        Rows rows = RandomRows(random, width, kKey);
        std::vector<DWORD> out = rows.target;
        TintRow32Halving(out.data(), rows.source.data(), width, h, kKey, keyed);
        for (int i = 0; i < width; ++i) {
          const DWORD s = rows.source[static_cast<std::size_t>(i)], d = rows.target[static_cast<std::size_t>(i)];
          DWORD expected = d & 0xFF000000u;
          for (int c = 0; c < 3; ++c) {
            int v = static_cast<int>(Channel(s, c));
            for (int k = 0; k < std::min(steps, 16); ++k) v = (v + h.tint[c]) >> 1;
            expected |= static_cast<DWORD>(v) << (16 - 8 * c);
          }
          if (keyed && s == kKey) expected = d;
          ASSERT_EQ(out[static_cast<std::size_t>(i)], expected)
              << "steps " << steps << " width " << width << " at " << i;
        }
      }
    }
  }
}

TEST_P(TintPaths, WeightedIsTheFloatRuleTruncated) {
  std::mt19937 random(12);
  for (int weight : {0, 16, 32, 64, 128}) {
    for (bool half : {false, true}) {
      for (int width : {1, 9, 40, 75}) {
        const bool keyed = width % 2 != 0;
        const float a = static_cast<float>(weight) * 0.003921569f;
        TintWeights w{half, a, {}, {}};
        for (int c = 0; c < 3; ++c) {
          w.tint[c] = static_cast<int>(random() % 256);
          w.rest[c] = static_cast<float>(w.tint[c]) * (1.0f - a);
        }
        Rows rows = RandomRows(random, width, 0x00123456);
        std::vector<DWORD> out = rows.target;
        TintRow32Weighted(out.data(), rows.source.data(), width, w, keyed);
        for (int i = 0; i < width; ++i) {
          const DWORD s = rows.source[static_cast<std::size_t>(i)], d = rows.target[static_cast<std::size_t>(i)];
          DWORD expected = 0xFF000000u;
          for (int c = 0; c < 3; ++c) {
            const DWORD v = Channel(s, c);
            const DWORD mixed = half ? (v + static_cast<DWORD>(w.tint[c])) >> 1
                                     : static_cast<DWORD>(std::trunc(static_cast<float>(v) * a + w.rest[c]));
            expected |= mixed << (16 - 8 * c);
          }
          if (keyed && (s >> 24) == 0) expected = d;
          ASSERT_EQ(out[static_cast<std::size_t>(i)], expected) << "weight " << weight << " at " << i;
        }
      }
    }
  }
}

// Random word tables over the 5-6-5 and 1-5-5-5 layouts, with DirectDraw's key and Direct3D's
// alpha bits as the keying rule.
TEST_P(TintPaths, FieldMapIsEachFieldsWordOred) {
  std::mt19937 random(13);
  struct Layout {
    int shift[3];
    unsigned mask[3];
    WORD keyMask, keyValue;
  };
  const Layout layouts[] = {{{11, 5, 0}, {31, 63, 31}, 0xFFFF, 0xF81F}, {{10, 5, 0}, {31, 31, 31}, 0xA000, 0}};
  for (const Layout& layout : layouts) {
    for (int width : {1, 15, 16, 47, 75}) {
      for (bool keyed : {false, true}) {
        FieldMap16 map{};
        for (int c = 0; c < 3; ++c) {
          map.shift[c] = layout.shift[c];
          map.mask[c] = layout.mask[c];
          for (WORD& word : map.word[c]) word = static_cast<WORD>(random());
        }
        map.constant = static_cast<WORD>(random() & 0x8001);
        map.keyMask = layout.keyMask;
        map.keyValue = layout.keyValue;
        std::vector<WORD> source, target;
        for (int i = 0; i < width; ++i) {
          source.push_back(static_cast<WORD>(random() % 4 == 0 ? layout.keyValue : random()));
          target.push_back(static_cast<WORD>(random()));
        }
        std::vector<WORD> out = target;
        FieldMapRows16(map).Map(out.data(), source.data(), width, keyed);
        for (int i = 0; i < width; ++i) {
          const unsigned s = source[static_cast<std::size_t>(i)];
          unsigned expected = map.constant;
          for (int c = 0; c < 3; ++c) expected |= map.word[c][(s >> layout.shift[c]) & layout.mask[c]];
          if (keyed && (s & layout.keyMask) == layout.keyValue) expected = target[static_cast<std::size_t>(i)];
          ASSERT_EQ(out[static_cast<std::size_t>(i)], expected) << "width " << width << " at " << i;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, TintPaths, testing::Values(false, true), kerneltest::PathName);

}  // namespace
