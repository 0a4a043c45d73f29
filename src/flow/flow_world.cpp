#include "flow/flow_world_seam.h"

namespace {

cFlowWorld* g_world = nullptr;

}  // namespace

cFlowWorld* FlowWorld() { return g_world; }
void SetFlowWorld(cFlowWorld* world) { g_world = world; }
