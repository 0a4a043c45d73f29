#pragma once

class cEdCommand;
class cFlowActor;

// "ピクチャーの表示": a picture of the database shown where a position mode puts it, sized by a
// magnification, for a time, until the stage ends or until the advance key; under an ID a later
// command replaces or erases it, and picture 0 without an ID erases them all.
int CmdPicture(cFlowActor& chara, cEdCommand& def);
