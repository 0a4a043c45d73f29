#pragma once

#include <cstdint>

class cEdCommand;
class cFlowActor;

// Parameter n of a worker's record; a record too short for its kind is reported and reads
// parameter 0 (none at all reads 0).
std::int32_t CommandParam(const cEdCommand& def, int n);

// A worker does a command's work in one call, for the character whose flow runs it or for the
// hero taking an item. Its result is what an item run goes on with: 0 go on, 1 the stage is
// cleared, 2 the hero is dead.
using CommandWorker = int (*)(cFlowActor& chara, cEdCommand& def);

// "ステータスの操作2": a flag of the character or its target, or the system's auto-scroll.
int CmdStatusOp2(cFlowActor& chara, cEdCommand& def);
// "消滅": the characters or shots of a group, on screen or all.
int CmdVanish(cFlowActor& chara, cEdCommand& def);
// "アイテムの取得": the hero runs an item of a palette without touching it.
int CmdGetItem(cFlowActor& chara, cEdCommand& def);
int CmdChangeGraphic(cFlowActor& chara, cEdCommand& def);
int CmdChangeAnimeSet(cFlowActor& chara, cEdCommand& def);
// An animation over the character's own, under the key of the flow that runs it.
int CmdAnimation(cFlowActor& chara, cEdCommand& def);
int CmdCharaEffect(cFlowActor& chara, cEdCommand& def);
int CmdScreenEffect(cFlowActor& chara, cEdCommand& def);
int CmdScreenColor(cFlowActor& chara, cEdCommand& def);
int CmdBackground(cFlowActor& chara, cEdCommand& def);
int CmdSoundEffect(cFlowActor& chara, cEdCommand& def);

// The worker of a character command kind; null for the kinds without one (those run by an
// executor with state, and those not built yet).
CommandWorker WorkerOf(int kind);

// An item command on the hero: the worker of its character twin; 0 for a kind without one.
int RunItemWorker(cFlowActor& hero, cEdCommand& def);
