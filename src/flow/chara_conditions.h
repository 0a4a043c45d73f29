#pragma once

class cEdCondition;
class cFlowActor;

// "ステータス条件2": a status flag of the character or its target, or an auto-scroll switch,
// against the condition's constant.
bool CheckStatusCondition2(cFlowActor& chara, const cEdCondition& condition);
// "ステータス条件3": facing, standing on a block, or inside the screen; inverted by the operator
// byte 1.
bool CheckStatusCondition3(cFlowActor& chara, const cEdCondition& condition);
// "距離条件": the hero or the target inside (or outside) a region round the character.
bool CheckDistanceCondition(cFlowActor& chara, const cEdCondition& condition);
