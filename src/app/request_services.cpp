#include "app/request_services.h"

#include <atomic>

#include "gfx/dd_present.h"
#include "gfx/pixel_draw.h"
#include "input/dialogs/file_chooser.h"
#include "input/dialogs/name_dialog.h"

void cRequestServices::SetDialogBoxMode(int on) { DDSetDialogBoxMode(on); }

void cRequestServices::RecoverDevice() { DDRestoreSurface(); }

void cRequestServices::RunNameDialog() { ::RunNameDialog(); }

bool cRequestServices::GetOpenFileName(const OpenFileRequest& request, std::string& path) {
  const FileChooserRequest chooser{request.title,         request.initialFolder,   request.filterName,
                                   request.filterPattern, request.defaultExtension, false, {}};
  return DDGetOpenFileName(path, chooser, nullptr) == 1;
}

namespace {

cRequestServices g_ownServices;
std::atomic<cRequestServices*> g_services{nullptr};

}  // namespace

void SetRequestServices(cRequestServices* services) { g_services.store(services); }

cRequestServices& RequestServices() {
  cRequestServices* services = g_services.load();
  return services != nullptr ? *services : g_ownServices;
}
