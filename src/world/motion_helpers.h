#pragma once

#include <cstdint>

// Unit conversions and small formulas of character physics. b is the sub-steps per frame.

// A signed count of half blocks in pixels.
int HblToDot(std::int8_t halfBlocks);
// A signed percentage as an acceleration per sub-step.
double PercentToAccel(std::int16_t percent, double subStepsSquared);
double PerSecondToPerStep(double value, double subSteps);

// Initial vertical speed of a jump d pixels high under gravity g per sub-step (negative =
// up); a negative height counts as 0.
double JumpSpeedFromDots(double dots, double g);
// Sub-steps to frames to tenths of a second to the top of a jump starting at speed v; v / g
// counts as 0 when g is 0.
int ApexTenths(double v, double g, int subSteps);

// Knock-back speeds of strength t along (dx, dy), shared by the sum of the absolute
// components; t 0 leaves the speeds as they are.
void ImpactVelocity(double& vx, double& vy, int t, double dx, double dy, double subSteps);

// The animated change of a status gauge.
struct GaugeAnim {
  std::int32_t nFrames = 0;
  double dChange = 0.0;
  double dChangePerFrame = 0.0;
  std::int32_t nBar = 0;

  // No gauge for a zero change or a maximum of 0 or less.
  void Start(std::int32_t change, std::int32_t value, std::int32_t maximum);
};

// The two wave motions: velocities on x and y, with the phase advanced by one step.
double WaveVelocity(double amplitude, double angularStep, double& phase, double phaseStep, double startAngle,
                    double subSteps);
double WaveVelocityY(double amplitude, double angularStep, double& phase, double phaseStep, double startAngle,
                     double subSteps);

// The one-axis range of the distance condition.
void MakeRange(int& lo, int& hi, int position, int size, int back, int front, int wholeSpan);
