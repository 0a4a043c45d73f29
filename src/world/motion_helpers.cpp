#include "world/motion_helpers.h"

#include <cmath>

#include "core/world_math.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;

}  // namespace

int HblToDot(std::int8_t halfBlocks) { return halfBlocks * 16; }

double PercentToAccel(std::int16_t percent, double subStepsSquared) { return percent * 0.01 / subStepsSquared; }

double PerSecondToPerStep(double value, double subSteps) { return value / subSteps / 60; }

double JumpSpeedFromDots(double dots, double g) {
  if (dots < 0) dots = 0;
  // A negative gravity has no real root: the square root counts as 0 rather than NaN.
  const double radicand = g * (g + 8 * dots);
  return (-g - (radicand > 0 ? std::sqrt(radicand) : 0.0)) * 0.5;
}

int ApexTenths(double v, double g, int subSteps) {
  const double fall = g != 0.0 ? v / g : 0.0;
  const int n = TruncToInt(subSteps - fall);
  if (subSteps == 0) return 1;
  return n / subSteps / 6 + 1;
}

void ImpactVelocity(double& vx, double& vy, int t, double dx, double dy, double subSteps) {
  if (t == 0) return;
  const double f = std::fabs(dx) + std::fabs(dy);
  if (f == 0) {
    vx = 0;
    vy = 0;
    return;
  }
  const double strength = static_cast<std::int8_t>(t);
  const auto speed = [subSteps](double u) {
    if (u > 0) return (std::sqrt(1 + 128 * subSteps * u) - 1) / (2 * subSteps);
    if (u < 0) return -(std::sqrt(1 - 128 * subSteps * u) - 1) / (2 * subSteps);
    return 0.0;
  };
  vx = speed(dx * strength / f);
  vy = speed(dy * strength / f);
}

void GaugeAnim::Start(std::int32_t change, std::int32_t value, std::int32_t maximum) {
  if (change == 0 || maximum <= 0) return;
  nFrames = 120;
  nBar = static_cast<std::int32_t>(static_cast<std::int64_t>(value) * 50 / maximum);
  dChange = static_cast<double>(change) * 50 / maximum;
  dChangePerFrame = dChange * 0.016666666666666666;
}

namespace {

double AdvancePhase(double& phase, double phaseStep, double subSteps) {
  const double old = phase;
  phase += phaseStep;
  if (phase >= 360 * subSteps) phase -= 360 * subSteps;
  return old;
}

}  // namespace

double WaveVelocity(double amplitude, double angularStep, double& phase, double phaseStep, double startAngle,
                    double subSteps) {
  const double r = angularStep * kDegToRad;
  const double p0 = AdvancePhase(phase, phaseStep, subSteps);
  return r * WorldCos(r * (p0 / subSteps + startAngle)) * amplitude / subSteps;
}

double WaveVelocityY(double amplitude, double angularStep, double& phase, double phaseStep, double startAngle,
                     double subSteps) {
  const double r = angularStep * kDegToRad;
  const double p0 = AdvancePhase(phase, phaseStep, subSteps);
  return -(r * WorldSin(r * (p0 / subSteps + startAngle)) * (r / subSteps) * amplitude) / subSteps;
}

void MakeRange(int& lo, int& hi, int position, int size, int back, int front, int wholeSpan) {
  const int half = size >> 1;
  const int c = position + half;
  lo = c;
  hi = c;
  if (back != 0) lo = position - back;
  if (front != 0) hi = c + half + front;
  if (back == 0 && front == 0 && wholeSpan != 0) {
    lo = position;
    hi = c + half;
  }
}
