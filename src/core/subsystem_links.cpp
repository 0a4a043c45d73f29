#include "core/subsystem_links.h"

#include <atomic>

#include "core/main_window.h"

bool cDrawingLink::Present() {
  // No drawing library yet: the window is asked to show its cleared frame.
  RequestMainWindowRepaint();
  return true;
}

void cDrawingLink::PaintWindow() { MainWindow.Window().ShowClearedFrame(); }

namespace {

template <typename Link>
class LinkSlot {
 public:
  void Set(Link* link) { link_.store(link); }
  Link& Get() {
    Link* link = link_.load();
    return link != nullptr ? *link : default_;
  }

 private:
  std::atomic<Link*> link_{nullptr};
  Link default_;
};

LinkSlot<cDrawingLink> g_drawing;
LinkSlot<cInputLink> g_input;
LinkSlot<cSoundLink> g_sound;
LinkSlot<cWorldLink> g_world;

}  // namespace

void SetDrawingLink(cDrawingLink* link) { g_drawing.Set(link); }
void SetInputLink(cInputLink* link) { g_input.Set(link); }
void SetSoundLink(cSoundLink* link) { g_sound.Set(link); }
void SetWorldLink(cWorldLink* link) { g_world.Set(link); }

cDrawingLink& DrawingLink() { return g_drawing.Get(); }
cInputLink& InputLink() { return g_input.Get(); }
cSoundLink& SoundLink() { return g_sound.Get(); }
cWorldLink& WorldLink() { return g_world.Get(); }
