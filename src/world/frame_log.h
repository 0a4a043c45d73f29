#pragma once

class cScenePlay;

// The per-frame state log of headless runs: when KESTREL_FRAME_LOG names a file (a host
// path), each call appends "<frame> <digest>" to it, the digest in 16 hex digits. Two runs,
// or a game and its replay, agree when their logs agree. Without the variable nothing is
// written.
void AppendFrameLog(const cScenePlay& scene);
