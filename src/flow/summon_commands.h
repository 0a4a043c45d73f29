#pragma once

class cEdCommand;
class cFlowActor;
struct cFlowCmd;

// Blocks, characters and items summoned round the character: at a run's first step and then
// every tenth of a second while the command lasts.
void CmdSummonBlock(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdSummonChara(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
void CmdSummonItem(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);

// Starts, stops, pauses, resumes, deletes or halts this flow, every other flow, or the flows
// of an ID, of the character.
void CmdFlowOperation(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);
