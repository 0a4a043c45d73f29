#pragma once

class cFlowLink;
class cFlowWorld;

// The flow engine joined to the game world: the world's calls into the engine, and the play
// scene as the engine's world. Both serve whichever play scene is live.
cFlowLink& FlowEngineLink();
cFlowWorld& PlaySceneFlowWorld();
