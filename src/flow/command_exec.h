#pragma once

#include "data/command_tables.h"

class cFlowActor;
struct cFlow;
struct cFlowCmd;
class cEdCommand;

// An executor: one run of a command for the character that owns the flow. The command's
// definition comes with it; the flow cursor names the flow.
using CommandExecutor = void (*)(cFlowActor& chara, cFlowCmd& command, cEdCommand& def);

// The executors of the forty character command kinds, by kind; an empty entry does nothing
// (the wait spends only its budget, and loops never get here).
extern CommandExecutor CommandExecTable[kCharaCommandKinds];

// Runs the executor of the command's kind; kinds outside the table do nothing.
void ExecCommand(cFlowActor& chara, cFlowCmd& command);

// The definition of a running command of the current flow of `chara`.
cEdCommand& CommandDef(cFlowActor& chara, const cFlow& flow, const cFlowCmd& command);
