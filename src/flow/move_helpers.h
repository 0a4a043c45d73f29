#pragma once

#include <cstdint>

class cEdMove;
class cFlowActor;
struct cFlowCmd;

// The direction codes movement resolves to; any other value means no direction.
enum MoveDirCode : int {
  kDirLeft = 2,
  kDirRight = 3,
  kDirUp = 6,
  kDirDown = 7,
  kDirUpLeft = 8,
  kDirDownLeft = 9,
  kDirUpRight = 10,
  kDirDownRight = 11,
};

// A facing request: 0 none, 1 turn left, 2 turn right.
enum FacingRequest : std::uint32_t { kFaceAsIs = 0, kFaceLeft = 1, kFaceRight = 2 };

// A velocity and the facing it asks for; a character with a fixed facing gets no request from
// the helpers that honour that flag, and the command keeps its last one.
struct MoveVelocity {
  double vx = 0, vy = 0;
  std::uint32_t request = kFaceAsIs;
  bool requested = false;
};

// A movement record's direction mode as a direction code: forward and backward by facing,
// modes 4 and 5 the vertical direction by facing, 12 the direction key held (now, or when the
// flow started); a character on the ground turns a diagonal key into its horizontal part.
int ResolveMoveDir(cFlowActor& chara, int mode, bool keyNow, bool flying);

// The command's angle (per clone, mirrored for a character placed facing right) and its target
// offset in dots.
void SetMoveAngle(cFlowActor& chara, cFlowCmd& command, const cEdMove& move);
void SetMoveTarget(cFlowActor& chara, cFlowCmd& command, const cEdMove& move);

MoveVelocity VelocityByDir(cFlowActor& chara, double speed, int mode);
// Angle 0 points left and 90 up, turned from the direction's base angle.
MoveVelocity VelocityByAngle(cFlowActor& chara, double speed, int mode, int angle);
// Toward the command's target point; with the arrival byte the command ends as it gets there.
MoveVelocity VelocityToward(cFlowActor& chara, cFlowCmd& command, const cEdMove& move, double speed);

// Hands a velocity to the character: turns it, adds the velocity (or accelerates its inertia)
// and shows it moving.
void ApplyMove(cFlowActor& chara, const MoveVelocity& v, const cFlowCmd& command, const cEdMove& move,
               bool ignoreFixedFacing);

// Walks on, turning at walls and at the edge of a ledge.
MoveVelocity GroundTurnVelocity(cFlowActor& chara, const cFlowCmd& command);
// Approaches (x, y) on the axes the record leaves free.
void ApproachPoint(cFlowActor& chara, cFlowCmd& command, const cEdMove& move, double px, double py);
// The velocity that keeps a character coming on screen from the side it wants.
MoveVelocity OffScreenVelocity(cFlowActor& chara, const cFlowCmd& command, const cEdMove& move);
