#pragma once

class cEdCommand;
class cFlowActor;

// "エフェクトの実行": an effect of the database placed by a position mode and sized by a
// magnification; effect 0 stops every running effect.
int CmdEffect(cFlowActor& chara, cEdCommand& def);
