#pragma once

class cEdCommand;
class cFlowActor;

// "メッセージ": a text window over the play field, created, updated or closed by its ID. A
// message chained to the flow's previous key-wait message opens without its animation.
int CmdMessage(cFlowActor& chara, cEdCommand& def);
