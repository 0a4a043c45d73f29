#pragma once

class cScenePlay;

// The per-frame state log of headless runs: when KESTREL_FRAME_LOG names a file (a host
// path), each call appends "<frame> <state> <score> <lives> <time left> <digest>" to it, the
// frame counted from the scene's start and the digest in 16 hex digits. Two runs, or a game
// and its replay, agree when their logs agree. Without the variable nothing is written.
void AppendFrameLog(const cScenePlay& scene);
