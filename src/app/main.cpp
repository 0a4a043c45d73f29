#include "core/program_entry.h"
#include "platform/window/window.h"

int main(int argc, char** argv) { return ProgramEntry(argc, argv, platform::ShowCommandFromEnvironment()); }
