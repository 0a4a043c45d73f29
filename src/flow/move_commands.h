#pragma once

class cEdCommand;
class cFlowActor;
struct cFlowCmd;

// The movement and facing commands, one sub-step each: straight, ground turn-back, circle,
// charge, homing and off-screen-avoid movement, the movement cancel and the direction change.
void CmdMoveStraight(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdMoveTurnBack(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdMoveCircle(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdMoveCharge(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdMoveHoming(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdMoveAvoidOffscreen(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdStopMoving(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdTurn(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);

// The jump, shot and sword commands: they decide when the world's action happens.
void CmdJump(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdShot(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdSword(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);

// Counts a sub-step of a command; stops at the largest count rather than overflow.
void CountUp(cFlowCmd& command);
