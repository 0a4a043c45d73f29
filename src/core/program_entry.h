#pragma once

#include <string>

// The program's start-up and shut-down sequences, which the joining layer puts together from
// every subsystem. Start-up runs on the main thread between the making of the main window and
// the start of the game thread, given the command line and the show command; false stops the
// program. Shut-down runs after the message loop, or after a failed start-up, and tolerates
// whatever was never set up.
struct ProgramSequences {
  bool (*startUp)(const std::string& commandLine, int showCommand) = nullptr;
  void (*shutDown)() = nullptr;
};

// The process entry: the arguments, the show command and the sequences in, the process exit
// code out. The arguments after the program's name, joined by single spaces, are the command
// line that the start-up reads as a stage file; they are passed on as they stand.
int ProgramEntry(int argc, char** argv, int showCommand, const ProgramSequences& sequences);
