#include "core/world_math.h"

#include <bit>
#include <cmath>

// The reductions and polynomials below are the classic minimax forms for |x| <= pi/4 (sine
// and cosine) and for atan on [0, 7/16] with four breakpoints; all constants are exact
// doubles. Only +, -, * and / appear, and this file is compiled without contraction, so the
// result is the same on every x86-64 machine.

namespace {

constexpr double kS1 = -1.66666666666666324348e-01;
constexpr double kS2 = 8.33333333332248946124e-03;
constexpr double kS3 = -1.98412698298579493134e-04;
constexpr double kS4 = 2.75573137070700676789e-06;
constexpr double kS5 = -2.50507602534068634195e-08;
constexpr double kS6 = 1.58969099521155010221e-10;

constexpr double kC1 = 4.16666666666666019037e-02;
constexpr double kC2 = -1.38888888888741095749e-03;
constexpr double kC3 = 2.48015872894767294178e-05;
constexpr double kC4 = -2.75573143513906633035e-07;
constexpr double kC5 = 2.08757232129817482790e-09;
constexpr double kC6 = -1.13596475577881948265e-11;

// pi/2 split into pieces whose products with a small integer are exact.
constexpr double kInvPio2 = 6.36619772367581382433e-01;
constexpr double kPio2_1 = 1.57079632673412561417e+00;
constexpr double kPio2_1t = 6.07710050650619224932e-11;
constexpr double kPio2_2 = 6.07710050630396597660e-11;
constexpr double kPio2_2t = 2.02226624879595063154e-21;
constexpr double kPio2_3 = 2.02226624871116645580e-21;
constexpr double kPio2_3t = 8.47842766036889956997e-32;
constexpr double kPio4 = 7.85398163397448278999e-01;

std::uint32_t HighWord(double x) { return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(x) >> 32); }
int Exponent(double x) { return static_cast<int>((HighWord(x) >> 20) & 0x7FF); }

// sin(x + y) for |x| <= pi/4 with y the tail of a reduced argument.
double KernelSin(double x, double y) {
  if (std::fabs(x) < 0x1p-27) return x;
  const double z = x * x;
  const double v = z * x;
  const double r = kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * kS6)));
  return x - ((z * (0.5 * y - v * r) - y) - v * kS1);
}

double KernelCos(double x, double y) {
  if (std::fabs(x) < 0x1p-27) return 1.0;
  const double z = x * x;
  const double r = z * (kC1 + z * (kC2 + z * (kC3 + z * (kC4 + z * (kC5 + z * kC6)))));
  if (std::fabs(x) < 0.3) return 1.0 - (0.5 * z - (z * r - x * y));
  // Take a quarter of x (rounded down to 21 significant bits) out of 1 - z/2 first, so that
  // the subtraction loses nothing.
  double qx = 0.28125;
  if (std::fabs(x) <= 0.78125) {
    const std::uint64_t quarter = static_cast<std::uint64_t>((HighWord(x) & 0x7FFFFFFF) - 0x00200000) << 32;
    qx = std::bit_cast<double>(quarter);
  }
  const double hz = 0.5 * z - qx;
  const double a = 1.0 - qx;
  return a - (hz - (z * r - x * y));
}

// x = n × pi/2 + (hi + lo); returns n mod 4. Accurate for |x| below 2^20 × pi/2, which covers
// every angle the game forms; beyond it the result stays deterministic but loses precision.
int Reduce(double x, double& hi, double& lo) {
  const double fn = std::nearbyint(x * kInvPio2);
  double r = x - fn * kPio2_1;
  double w = fn * kPio2_1t;
  hi = r - w;
  const int e = Exponent(x);
  if (e - Exponent(hi) > 16) {
    double t = r;
    w = fn * kPio2_2;
    r = t - w;
    w = fn * kPio2_2t - ((t - r) - w);
    hi = r - w;
    if (e - Exponent(hi) > 49) {
      t = r;
      w = fn * kPio2_3;
      r = t - w;
      w = fn * kPio2_3t - ((t - r) - w);
      hi = r - w;
    }
  }
  lo = (r - hi) - w;
  const double quadrant = std::fmod(fn, 4.0);
  return static_cast<int>(quadrant < 0 ? quadrant + 4.0 : quadrant);
}

constexpr double kAtanHi[] = {4.63647609000806093515e-01, 7.85398163397448278999e-01, 9.82793723247329054082e-01,
                              1.57079632679489655800e+00};
constexpr double kAtanLo[] = {2.26987774529616870924e-17, 3.06161699786838301793e-17, 1.39033110312309984516e-17,
                              6.12323399573676603587e-17};
constexpr double kAT[] = {3.33333333333329318027e-01,  -1.99999999998764832476e-01, 1.42857142725034663711e-01,
                          -1.11111104054623557880e-01, 9.09088713343650656196e-02,  -7.69187620504482999495e-02,
                          6.66107313738753120669e-02,  -5.83357013379057348645e-02, 4.97687799461593236017e-02,
                          -3.65315727442169155270e-02, 1.62858201153657823623e-02};

constexpr double kPi = 3.1415926535897931160e+00;
constexpr double kPiLo = 1.2246467991473531772e-16;
constexpr double kPiO2 = 1.5707963267948965580e+00;
constexpr double kPiO4 = 7.8539816339744827900e-01;

double WorldAtan(double x) {
  const double ax = std::fabs(x);
  if (std::isnan(x)) return x;
  if (ax >= 0x1p66) return x < 0 ? -(kAtanHi[3] + kAtanLo[3]) : kAtanHi[3] + kAtanLo[3];
  int id = -1;
  double t = x;
  if (ax < 0.4375) {
    if (ax < 0x1p-27) return x;
  } else if (ax < 1.1875) {
    if (ax < 0.6875) {
      id = 0;
      t = (2.0 * ax - 1.0) / (2.0 + ax);
    } else {
      id = 1;
      t = (ax - 1.0) / (ax + 1.0);
    }
  } else if (ax < 2.4375) {
    id = 2;
    t = (ax - 1.5) / (1.0 + 1.5 * ax);
  } else {
    id = 3;
    t = -1.0 / ax;
  }
  const double z = t * t;
  const double w = z * z;
  const double s1 = z * (kAT[0] + w * (kAT[2] + w * (kAT[4] + w * (kAT[6] + w * (kAT[8] + w * kAT[10])))));
  const double s2 = w * (kAT[1] + w * (kAT[3] + w * (kAT[5] + w * (kAT[7] + w * kAT[9]))));
  if (id < 0) return t - t * (s1 + s2);
  const double r = kAtanHi[id] - ((t * (s1 + s2) - kAtanLo[id]) - t);
  return x < 0 ? -r : r;
}

}  // namespace

double WorldSin(double x) {
  if (!std::isfinite(x)) return x - x;
  if (std::fabs(x) <= kPio4) return KernelSin(x, 0.0);
  double hi = 0;
  double lo = 0;
  switch (Reduce(x, hi, lo)) {
    case 0: return KernelSin(hi, lo);
    case 1: return KernelCos(hi, lo);
    case 2: return -KernelSin(hi, lo);
    default: return -KernelCos(hi, lo);
  }
}

double WorldCos(double x) {
  if (!std::isfinite(x)) return x - x;
  if (std::fabs(x) <= kPio4) return KernelCos(x, 0.0);
  double hi = 0;
  double lo = 0;
  switch (Reduce(x, hi, lo)) {
    case 0: return KernelCos(hi, lo);
    case 1: return -KernelSin(hi, lo);
    case 2: return -KernelCos(hi, lo);
    default: return KernelSin(hi, lo);
  }
}

double WorldAtan2(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) return x + y;
  if (x == 1.0) return WorldAtan(y);
  const int m = (std::signbit(y) ? 1 : 0) | (std::signbit(x) ? 2 : 0);
  if (y == 0.0) {
    switch (m) {
      case 0:
      case 1: return y;
      case 2: return kPi;
      default: return -kPi;
    }
  }
  if (x == 0.0) return y < 0 ? -kPiO2 : kPiO2;
  if (std::isinf(x)) {
    if (std::isinf(y)) {
      constexpr double k3PiO4 = 2.3561944901923448370e+00;
      constexpr double kCorner[] = {kPiO4, -kPiO4, k3PiO4, -k3PiO4};
      return kCorner[m];
    }
    constexpr double kFlat[] = {0.0, -0.0, kPi, -kPi};
    return kFlat[m];
  }
  if (std::isinf(y)) return y < 0 ? -kPiO2 : kPiO2;
  const int k = Exponent(y) - Exponent(x);
  double z = 0;
  if (k > 60) {
    z = kPiO2 + 0.5 * kPiLo;
  } else if (x < 0 && k < -60) {
    z = 0.0;
  } else {
    z = WorldAtan(std::fabs(y / x));
  }
  switch (m) {
    case 0: return z;
    case 1: return -z;
    case 2: return kPi - (z - kPiLo);
    default: return (z - kPiLo) - kPi;
  }
}
