#include "world/flow_link.h"

namespace {

cFlowLink g_defaultFlowLink;
cFlowLink* g_flowLink = &g_defaultFlowLink;

}  // namespace

void SetFlowLink(cFlowLink* link) { g_flowLink = link != nullptr ? link : &g_defaultFlowLink; }

cFlowLink& FlowLink() { return *g_flowLink; }
