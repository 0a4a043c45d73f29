#include "core/program_entry.h"

int main(int argc, char** argv) { return ProgramEntry(argc, argv); }
