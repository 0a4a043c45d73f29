#pragma once

// Started where no display answers (over a remote shell, from a service) without asking for a
// headless run, the program would otherwise run unseen until killed.
inline constexpr const char* kNoDisplayMessage =
    "no display could be opened: start the game from a desktop session, or set KESTREL_HEADLESS=1 "
    "to run it without a window";

// The stops the game itself decides on end with 0, as they always have; this one is the
// machine's, and the shell or script that started the program must be able to tell.
inline constexpr int kNoDisplayExitCode = 1;

// Says so on stderr and in the report log; the result is the exit code.
int StopForMissingDisplay();
