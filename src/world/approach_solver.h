#pragma once

// The aim of a movement command: the velocity that takes a mover from one point to another,
// corrected for a screen that scrolls by itself.
struct ApproachInput {
  double fx = 0, fy = 0;  // start: the centre of the mover's picture on screen
  double tx = 0, ty = 0;  // target point
  double v = 0;           // speed; negative flees
  bool hasTarget = false;  // the point belongs to a character
  bool moverFollows = false;   // F: the mover follows the auto-scroll
  bool targetFollows = false;  // T
  bool straight = false;       // forces the normal path even for a negative speed
  bool stopAtTarget = false;
  bool allFollow = false;  // A: the project makes every character follow the auto-scroll
  double scrollX = 0, scrollY = 0;  // auto-scroll speeds, 0 where they do not count
};

struct ApproachResult {
  double vx = 0, vy = 0;
  int direction = 0;  // 1 left, 2 right, 0 neither
  bool arrived = false;
  bool gaveUp = false;  // the interception had no finite answer: keep the old direction
};

ApproachResult SolveApproach(const ApproachInput& in);
// The one-axis forms; start and target on that axis, scroll the axis's counted speed.
ApproachResult SolveApproachX(const ApproachInput& in);
ApproachResult SolveApproachY(const ApproachInput& in);
