#pragma once

#include <functional>

// The music manager's own thread. Requests (1030, the window's close, the options) only queue
// work here and return; file reading, conversion, Ogg opening, soundfont loading and player
// thread joins all happen on this thread, in the order asked.
bool StartMusicThread();
// Queued for the music thread; dropped when it is not running.
void PostMusic(std::function<void()> job);
// Until everything queued so far has run (tests, shut-down).
void WaitForMusicIdle();
// Runs what is queued, then `last` (when given), and ends the thread.
void FinishMusicThread(std::function<void()> last = {});
bool MusicThreadRunning();
