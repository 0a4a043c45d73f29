#pragma once

// Makes the play scene scene 4 of the scene manager, playing StageCur, and lets the main
// window's close reach the scene's quit flag.
void RegisterPlayScene();
