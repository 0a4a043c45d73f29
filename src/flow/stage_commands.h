#pragma once

class cEdCommand;
class cFlowActor;

// "ステージクリア": where the clear leads (the next part, a part by number, a file, or the
// end of the world), the world map's position after it and the next stage's start; 1, the
// stage is cleared.
int CmdStageClear(cFlowActor& chara, cEdCommand& def);
// "ゲームウエイト": the game stands still for parameter 0 tenths of a second, the field shown.
int CmdGameWait(cFlowActor& chara, cEdCommand& def);
// "BGMの再生": the stage music changes to parameter 0, looping by parameter 1.
int CmdBgm(cFlowActor& chara, cEdCommand& def);
