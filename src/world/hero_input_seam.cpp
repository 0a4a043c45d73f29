#include "world/hero_input_seam.h"

namespace {

cHeroInputLink& DefaultLink() {
  static cHeroInputLink link;
  return link;
}

cHeroInputLink* g_link = nullptr;

}  // namespace

void SetHeroInputLink(cHeroInputLink* link) { g_link = link; }

cHeroInputLink& HeroInputLink() { return g_link != nullptr ? *g_link : DefaultLink(); }
