#pragma once

// The process entry: argv and the environment's show command in, the process exit code out.
int ProgramEntry(int argc, char** argv);
