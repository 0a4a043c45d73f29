#pragma once

// The process entry: the arguments and the show command in, the process exit code out.
// The arguments after the program's name, joined by single spaces, are the command line that
// the start-up sequence reads as a stage file; they are passed on as they stand.
int ProgramEntry(int argc, char** argv, int showCommand);
