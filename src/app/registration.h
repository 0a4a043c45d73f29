#pragma once

// Connects the subsystems to the application core before anything runs: the handler of the
// main window's requests, the scenes, and where the window keeps its placement. The drawing
// library's link follows its start-up, since it serves only while the library is up.
void RegisterProgramParts();
