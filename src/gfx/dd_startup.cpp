#include "gfx/dd_startup.h"

#include "core/report_log.h"
#include "gfx/dd_init.h"

namespace {

bool InitWith(const DDStartRequest& r) {
  return DDInit(r.nBackend, r.hWnd, r.nWidth, r.nHeight, r.nBpp, r.bVSync, r.bWindowed, 1, 60, r.bVSync, r.lpRecords,
                r.lpDefs, r.nCount);
}

}  // namespace

bool DDStartBackend(DDStartRequest& request, const std::function<void()>& beforeFallback) {
  if (InitWith(request)) return true;
  if (request.nBackend != 1) {
    ErrLog("DDInit失敗");
    return false;
  }
  DDUnInit();
  request.nBackend = 0;
  if (beforeFallback) beforeFallback();
  if (InitWith(request)) return true;
  ErrLog("DDInit失敗");
  return false;
}
