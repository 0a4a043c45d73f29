#include "input/input_link.h"

#include "core/subsystem_links.h"
#include "input/input.h"

namespace {

class cPlayerInputLink : public cInputLink {
 public:
  void UpdateInput() override { PollInputs(PlayerInputs); }
};

cPlayerInputLink g_link;

}  // namespace

void InstallInputLink() { SetInputLink(&g_link); }
void RemoveInputLink() { SetInputLink(nullptr); }
