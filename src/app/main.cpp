#include "app/init_game.h"
#include "app/registration.h"
#include "core/program_entry.h"
#include "platform/window/window.h"

int main(int argc, char** argv) {
  RegisterProgramParts();
  return ProgramEntry(argc, argv, platform::ShowCommandFromEnvironment(), ProgramSequences{InitGame, UnInitGame});
}
