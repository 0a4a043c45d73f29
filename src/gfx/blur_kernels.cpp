#include "gfx/blur_kernels.h"

#include <algorithm>
#include <vector>

#include "platform/video/kernel_choice.h"

namespace {

using std::uint16_t;
using std::uint32_t;

// One source row's channels and presence added to (or taken from) the column sums: columns
// first..last-1 of the rectangle, the others count as absent.
template <typename Pixel>
[[gnu::always_inline]] inline void AddRowBody(const BlurJob& job, const Pixel* __restrict from, int first, int last,
                                              uint32_t* const* column, bool add) {
  const uint32_t mask = job.absentMask, absent = job.absentValue;
  const int s0 = job.readShift[0], s1 = job.readShift[1], s2 = job.readShift[2];
  const uint32_t m0 = job.readMask[0], m1 = job.readMask[1], m2 = job.readMask[2];
  // v ^ flip - flip is v when adding and -v when taking away.
  const uint32_t flip = add ? 0u : 0xFFFFFFFFu;
  uint32_t* __restrict c0 = column[0];
  uint32_t* __restrict c1 = column[1];
  uint32_t* __restrict c2 = column[2];
  uint32_t* __restrict c3 = column[3];
  for (int i = first; i < last; ++i) {
    const uint32_t p = from[i];
    const uint32_t here = (p & mask) != absent ? 0xFFFFFFFFu : 0u;
    c0[i] += (((p >> s0) & m0 & here) ^ flip) - flip;
    c1[i] += (((p >> s1) & m1 & here) ^ flip) - flip;
    c2[i] += (((p >> s2) & m2 & here) ^ flip) - flip;
    c3[i] += ((here & 1u) ^ flip) - flip;
  }
}

// Where one source row is present (all ones) or absent (0), for the keyed blur.
template <typename Pixel>
[[gnu::always_inline]] inline void PresenceBody(const BlurJob& job, const Pixel* __restrict from, int first, int last,
                                                uint32_t* __restrict present) {
  const uint32_t mask = job.absentMask, absent = job.absentValue;
  for (int i = first; i < last; ++i) present[i] = (from[i] & mask) != absent ? 0xFFFFFFFFu : 0u;
}

// The window sums of one row: padded[k] holds the column sums with rx zeros either side, so the
// window of column i, columns i-rx..i+rx-1, is padded[k][i .. i+2rx-1]. Narrow windows add
// their columns lane by lane; wide ones take differences of a prefix (kept in scratch).
[[gnu::always_inline]] inline void WindowRowBody(const uint32_t* const* padded, uint32_t* const* window,
                                                 uint32_t* __restrict scratch, int w, int rx) {
  const int span = 2 * rx;
  for (int k = 0; k < 4; ++k) {
    const uint32_t* __restrict in = padded[k];
    uint32_t* __restrict out = window[k];
    if (span <= 16) {
      for (int i = 0; i < w; ++i) out[i] = in[i];
      for (int d = 1; d < span; ++d) {
        const uint32_t* __restrict shifted = in + d;
        for (int i = 0; i < w; ++i) out[i] += shifted[i];
      }
    } else {
      uint32_t running = 0;
      scratch[0] = 0;
      for (int t = 0; t < w + span; ++t) {
        running += in[t];
        scratch[t + 1] = running;
      }
      for (int i = 0; i < w; ++i) out[i] = scratch[i + span] - scratch[i];
    }
  }
}

// One target row from the window sums of its columns.
template <typename Pixel>
[[gnu::always_inline]] inline void WriteRowBody(const BlurJob& job, const uint32_t* const* window,
                                                const uint32_t* __restrict present, Pixel* __restrict to, int first,
                                                int last) {
  const uint32_t* __restrict p0 = window[0];
  const uint32_t* __restrict p1 = window[1];
  const uint32_t* __restrict p2 = window[2];
  const uint32_t* __restrict p3 = window[3];
  const int s0 = job.writeShift[0], s1 = job.writeShift[1], s2 = job.writeShift[2];
  const uint32_t m0 = job.writeMask[0], m1 = job.writeMask[1], m2 = job.writeMask[2];
  const uint32_t green = job.greenScale, keep = job.keep, extra = job.extra;
  for (int i = first; i < last; ++i) {
    const uint32_t count = p3[i];
    // Counts stay below 2^24, so the float reciprocal puts each estimate within one of the
    // quotient (sums are halved to pass through signed lanes); one step corrects it.
    const float reciprocal = 2.0f / static_cast<float>(static_cast<int>(std::max(count, 1u)));
    const auto quotient = [&](uint32_t sum) {
      const int estimate = static_cast<int>(static_cast<float>(static_cast<int>(sum >> 1)) * reciprocal);
      const int rest = static_cast<int>(sum - static_cast<uint32_t>(estimate) * count);
      return static_cast<uint32_t>(estimate + static_cast<int>(rest >= static_cast<int>(count)) -
                                   static_cast<int>(rest < 0));
    };
    const uint32_t c0 = quotient(p0[i]);
    const uint32_t c1 = quotient(p1[i]);
    const uint32_t c2 = quotient(p2[i]);
    const uint32_t old = to[i];
    const uint32_t made = (old & keep) | extra | (c0 & m0) << s0 | ((c1 & m1) * green) << s1 | (c2 & m2) << s2;
    const uint32_t skip = static_cast<uint32_t>(count == 0) | static_cast<uint32_t>(present[i] == 0);
    const uint32_t choose = skip - 1u;  // all ones where the average is written
    to[i] = static_cast<Pixel>((made & choose) | (old & ~choose));
  }
}

template <typename Pixel>
void AddRowBaseline(const BlurJob& j, const Pixel* from, int a, int b, uint32_t* const* c, bool add) {
  AddRowBody<Pixel>(j, from, a, b, c, add);
}
template <typename Pixel>
[[gnu::target("avx2")]] void AddRowAvx2(const BlurJob& j, const Pixel* from, int a, int b, uint32_t* const* c,
                                        bool add) {
  AddRowBody<Pixel>(j, from, a, b, c, add);
}
template <typename Pixel>
void PresenceBaseline(const BlurJob& j, const Pixel* from, int a, int b, uint32_t* present) {
  PresenceBody<Pixel>(j, from, a, b, present);
}
template <typename Pixel>
[[gnu::target("avx2")]] void PresenceAvx2(const BlurJob& j, const Pixel* from, int a, int b, uint32_t* present) {
  PresenceBody<Pixel>(j, from, a, b, present);
}
void WindowRowBaseline(const uint32_t* const* padded, uint32_t* const* window, uint32_t* scratch, int w, int rx) {
  WindowRowBody(padded, window, scratch, w, rx);
}
[[gnu::target("avx2")]] void WindowRowAvx2(const uint32_t* const* padded, uint32_t* const* window, uint32_t* scratch,
                                           int w, int rx) {
  WindowRowBody(padded, window, scratch, w, rx);
}
template <typename Pixel>
void WriteRowBaseline(const BlurJob& j, const uint32_t* const* pad, const uint32_t* present, Pixel* to, int a, int b) {
  WriteRowBody<Pixel>(j, pad, present, to, a, b);
}
template <typename Pixel>
[[gnu::target("avx2")]] void WriteRowAvx2(const BlurJob& j, const uint32_t* const* pad, const uint32_t* present,
                                          Pixel* to, int a, int b) {
  WriteRowBody<Pixel>(j, pad, present, to, a, b);
}

template <typename Pixel>
void Run(const BlurJob& job, bool avx2) {
  const auto addRow = avx2 ? AddRowAvx2<Pixel> : AddRowBaseline<Pixel>;
  const auto presence = avx2 ? PresenceAvx2<Pixel> : PresenceBaseline<Pixel>;
  const auto windowRow = avx2 ? WindowRowAvx2 : WindowRowBaseline;
  const auto writeRow = avx2 ? WriteRowAvx2<Pixel> : WriteRowBaseline<Pixel>;
  const int w = job.w, h = job.h, rx = job.rx, ry = job.ry;
  const std::size_t W = static_cast<std::size_t>(w);
  // Source rows are read again as the window leaves them, after target rows are written: this
  // holds because source and target are two records (a record is never locked twice).
  const auto sourceRow = [&](int row) {
    return row >= job.sourceRows[0] && row < job.sourceRows[1]
               ? reinterpret_cast<const Pixel*>(job.source) + row * job.sourcePitch
               : nullptr;
  };
  const int first = job.sourceColumns[0], last = job.sourceColumns[1];
  const std::size_t padded = W + 2 * static_cast<std::size_t>(rx);
  std::vector<uint32_t> columns(4 * padded, 0), windows(4 * W, 0), scratch(padded + 1, 0), present(W, 0xFFFFFFFFu);
  uint32_t* column[4];
  const uint32_t* paddedColumn[4];
  uint32_t* window[4];
  for (int k = 0; k < 4; ++k) {
    paddedColumn[k] = columns.data() + static_cast<std::size_t>(k) * padded;
    column[k] = columns.data() + static_cast<std::size_t>(k) * padded + static_cast<std::size_t>(rx);
    window[k] = windows.data() + static_cast<std::size_t>(k) * W;
  }
  const auto add = [&](int row, bool in) {
    if (const Pixel* from = sourceRow(row)) addRow(job, from, first, last, column, in);
  };
  for (int row = 0; row < std::min(h, ry); ++row) add(row, true);
  for (int j = 0; j < h; ++j) {
    if (j > 0) {
      if (j + ry - 1 < h) add(j + ry - 1, true);
      if (j - ry - 1 >= 0) add(j - ry - 1, false);
    }
    if (j < job.targetRows[0] || j >= job.targetRows[1]) continue;
    if (job.keyed) {
      std::fill(present.begin(), present.end(), 0u);
      if (const Pixel* from = sourceRow(j)) presence(job, from, first, last, present.data());
    }
    windowRow(paddedColumn, window, scratch.data(), w, rx);
    Pixel* to = reinterpret_cast<Pixel*>(job.target) + j * job.targetPitch;
    writeRow(job, window, present.data(), to, job.targetColumns[0], job.targetColumns[1]);
  }
}

}  // namespace

bool RunBlur(const BlurJob& job) {
  if (job.w <= 0 || job.h <= 0 || job.rx <= 0 || job.ry <= 0) return true;
  if (static_cast<long long>(job.w) * job.h > (1LL << 24)) return false;
  BlurJob clamped = job;
  // A window wider than the rectangle sums what the rectangle's width does.
  clamped.rx = std::min(job.rx, job.w);
  clamped.ry = std::min(job.ry, job.h);
  const bool avx2 = platform::Avx2Kernels();
  if (job.bytes == 2) {
    Run<std::uint16_t>(clamped, avx2);
  } else {
    Run<std::uint32_t>(clamped, avx2);
  }
  return true;
}
