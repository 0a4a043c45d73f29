#pragma once

class cThread;

// The main thread's loop, until the quit: serves the window's messages, sleeping 1 ms after
// each pass, and waits for messages while the application is inactive. A termination request
// from outside becomes a close of the window. Returns the quit's exit code.
int RunMessagePump();

// Waits for `thread` to end while the calling thread's own messages are served. On the main
// thread only the game side's requests and repaints are served: a close or the quit stays
// for the main loop. A quit of the calling thread (its stop, or on the main thread the quit
// state) stops `thread` and ends the wait with false; true when `thread` ended by itself.
bool WaitServingMessages(cThread& thread);

// One pass of a loop nested on the main thread (a dialog's modal run): the window's events,
// the frames, repaints and the game side's requests; a close or the quit stays for the main
// loop. False on the quit.
bool ServeNestedPass();
