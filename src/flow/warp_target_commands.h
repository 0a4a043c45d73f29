#pragma once

class cEdCommand;
class cFlowActor;

// "ワープ": at once by a direction and distance, the same from the target, or to coordinates.
int CmdWarp(cFlowActor& chara, cEdCommand& def);
// "ターゲットの設定": the hero, itself, the nearest or the first character passing the filters.
int CmdSetTarget(cFlowActor& chara, cEdCommand& def);
