#pragma once

class cEdCondition;
class cEdCommand;
class cFlowActor;

// "ステータス条件": a status or variable of the character, its target or the system against a
// constant, a random number, a status or a variable.
bool CheckStatusCondition(const cEdCondition& condition, cFlowActor& chara);
// "ステータス操作": changes a status or variable of the character, its target or the system by
// an operand, at the status's width and within its range.
void CmdStatusOp(cFlowActor& chara, const cEdCommand& command);
