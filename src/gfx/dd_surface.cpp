#include "gfx/dd_surface.h"

#include <algorithm>

#include "core/close_request.h"
#include "core/message_boxes.h"
#include "core/report_log.h"
#include "gfx/bitmap_copy.h"
#include "gfx/bitmap_file.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/render_target.h"
#include "platform/video/texture_loader.h"

namespace {

using platform::MemoryPool;
using platform::PixelFormat;
using platform::Succeeded;
using platform::TextureUsage;
using platform::VideoResult;

int HResult(VideoResult result) { return static_cast<int>(platform::ResultCode(result)); }

// The fatal path of a texture in system memory: the fatal text (when set) and a close request.
void FatalTextureFailure() {
  if (lpDTCon != nullptr && !lpDTCon->strFatalTexture.empty()) ErrorBox(lpDTCon->strFatalTexture);
  PostCloseRequest();
}

void ResetInterfaces(DTTEXTUREDATA& dt) {
  dt.lpSurface.reset();
  dt.lpSystemSurface.reset();
  dt.lpVB.reset();
  dt.lpTexture.reset();
}

bool CreateRecordVertexBuffer(DTTEXTUREDATA& dt, VideoResult& result) {
  result = lpDevice->CreateVertexBuffer(4, MemoryPool::Managed, dt.lpVB);
  return Succeeded(result);
}

// The texture's size on this device, with the warning lines when it is beyond the maximum.
void SizeTexture(int& nTexWidth, int& nTexHeight, const char* szName) {
  DDRoundTextureSize(&nTexWidth, &nTexHeight);
  if (DDCheckTextureSize(nTexWidth, nTexHeight)) return;
  if (szName == nullptr) {
    LogMirror("上記の理由でテクスチャの描画が失敗する可能性があります。(空)");
  } else {
    LogMirror("上記の理由でテクスチャの描画が失敗する可能性があります。(%s)", szName);
  }
}

bool TakeLevel(DTTEXTUREDATA& dt) {
  if (dt.lpTexture == nullptr) {
    LogMirror("GetSurfaceLevel Err hr = %x", platform::ResultCode(VideoResult::InvalidCall));
    return false;
  }
  dt.lpSurface = dt.lpTexture->Level();
  dt.Desc = {dt.lpSurface->Format(), dt.lpSurface->Pool(), dt.lpSurface->Width(), dt.lpSurface->Height()};
  return true;
}

void ClearRenderTarget(DDSURFACEDATA* lpSD, D3DCOLOR dwColor) {
  if (!DDSetRenderTarget(0, lpSD)) return;
  lpDevice->Clear(nullptr, 0, dwColor);
  DDSetRenderTarget(0, lpDTCon->lpRestRT);
}

bool CreateSurfaceD3D(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int nColorKey, int nDDMemory, int nMemoryType,
                      int bNoTexture, int bRestore) {
  DTTEXTUREDATA& dt = *lpSD->lpDT;
  if (!bRestore) {
    DDCopyName(lpSD->szSurfaceType, "OffScreen");
    DDCopyName(lpSD->szFileName, "E");
    dt.nMemoryType = static_cast<DTMEMORYTYPE>(nMemoryType);
    ResetInterfaces(dt);
    dt.bColorKey = nColorKey == 1;
    if (!bNoTexture) {
      dt.nTextureId = lpDTCon->nNextTextureId++;
      VideoResult made;
      if (!CreateRecordVertexBuffer(dt, made)) {
        LogMirror("CreateVertexBuffer Err");
        return false;
      }
    }
  }
  if (bNoTexture) {
    lpSD->nWidth = lpSD->nTexWidth = nWidth;
    lpSD->nHeight = lpSD->nTexHeight = nHeight;
    lpSD->nDDMemory = nDDMemory;
    return true;
  }
  int texWidth = nWidth, texHeight = nHeight;
  SizeTexture(texWidth, texHeight, nullptr);
  int type = nMemoryType == DTMEMORYTYPE_VIDEO_NORT ? DTMEMORYTYPE_VIDEO_RT : nMemoryType;
  if (type == DTMEMORYTYPE_VIDEO_RT) {
    dt.bRenderTarget = 1;
    const VideoResult made = lpDevice->CreateTexture(texWidth, texHeight, lpDTCon->TextureFormat,
                                                     TextureUsage::RenderTarget, MemoryPool::Default, dt.lpTexture);
    if (made == VideoResult::OutOfVideoMemory) {
      LogMirror("VRAM不足のためシステムメモリにテクスチャを作成します。(空)");
      type = DTMEMORYTYPE_SYSTEM;
      dt.nMemoryType = DTMEMORYTYPE_SYSTEM;
    } else if (!Succeeded(made)) {
      return false;
    }
  }
  // Restoring keeps a system-memory texture; one that fell back while restoring has none yet.
  if (type == DTMEMORYTYPE_SYSTEM && (!bRestore || dt.lpTexture == nullptr)) {
    dt.bRenderTarget = 0;
    const VideoResult made = lpDevice->CreateTexture(texWidth, texHeight, lpDTCon->TextureFormat, TextureUsage::Dynamic,
                                                     MemoryPool::SystemMemory, dt.lpTexture);
    if (!Succeeded(made)) {
      LogMirror("D3DXCreateTexture Err hr = %x", platform::ResultCode(made));
      FatalTextureFailure();
      return false;
    }
  }
  if (!TakeLevel(dt)) return false;
  if (type == DTMEMORYTYPE_VIDEO_RT && !bRestore) {
    const VideoResult made = lpDevice->CreateOffscreenPlainSurface(dt.Desc.Width, dt.Desc.Height, dt.Desc.Format,
                                                                   MemoryPool::SystemMemory, dt.lpSystemSurface);
    if (!Succeeded(made)) {
      LogMirror("CreateOffscreenPlainSurface Err hr = %x", platform::ResultCode(made));
      FatalTextureFailure();
      return false;
    }
  }
  lpSD->nWidth = nWidth;
  lpSD->nHeight = nHeight;
  lpSD->nTexWidth = dt.Desc.Width;
  lpSD->nTexHeight = dt.Desc.Height;
  if (dt.bRenderTarget) ClearRenderTarget(lpSD, lpDTCon->dwBackKey);
  if (!bRestore) SurfaceList.push_back(lpSD);
  return true;
}

bool CreateSurfaceDD(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int nColorKey, int nDDMemory) {
  DDRAWDATA& dd = *lpSD->lpDDraw;
  const bool system = nDDMemory == 1;
  VideoResult made =
      lpDD->CreateSurface(nWidth, nHeight, system ? MemoryPool::SystemMemory : MemoryPool::Default, dd.lpSurface);
  int used = system ? 1 : 0;
  if (!Succeeded(made)) {
    if (system) {
      LogMirror("CreateSurface System Err");
      return false;
    }
    made = lpDD->CreateSurface(nWidth, nHeight, MemoryPool::SystemMemory, dd.lpSurface);
    if (!Succeeded(made)) {
      LogMirror("CreateSurface Video -> System Err");
      return false;
    }
    used = 1;
  }
  if (nColorKey == 1 && !Succeeded(dd.lpSurface->SetColorKey(DDTransmitKey, DDTransmitKey))) {
    LogMirror("SetColorKey Err");
  }
  // The record has its size before the fill, so a new surface really starts as palette colour 0.
  lpSD->nWidth = lpSD->nTexWidth = nWidth;
  lpSD->nHeight = lpSD->nTexHeight = nHeight;
  lpSD->nDDMemory = used;
  DDFillRect(lpSD, 0, 0, nWidth, nHeight, 0);
  return true;
}

std::uint32_t FileTextureKey() {
  const RGBTRIPLE& key = DDBpp == 16 ? lpDTCon->rgbKey16 : lpDTCon->rgbTransmit;
  return 0xFF000000u | static_cast<std::uint32_t>(key.rgbtRed) << 16 | static_cast<std::uint32_t>(key.rgbtGreen) << 8 |
         key.rgbtBlue;
}

int CreateFileTexture(DDSURFACEDATA* lpSD, const platform::BmpImage& bitmap, const char* szFileName, int nMemoryType,
                      int bRestore) {
  DTTEXTUREDATA& dt = *lpSD->lpDT;
  int texWidth = bitmap.width, texHeight = bitmap.height;
  SizeTexture(texWidth, texHeight, szFileName);
  const std::uint32_t key = FileTextureKey();
  int type = nMemoryType;
  if (type == DTMEMORYTYPE_VIDEO_NORT) {
    ErrLog(
        "DDCreateSurfaceFromFile Err "
        "DTMEMORYTYPE_VIDEO_NORTの指定は未対応です。DTMEMORYTYPE_VIDEO_RTでテクスチャを作成します。");
    type = DTMEMORYTYPE_VIDEO_RT;
  }
  if (type == DTMEMORYTYPE_VIDEO_RT) {
    dt.bRenderTarget = 0;
    const VideoResult made =
        platform::CreateTextureFromBitmap(*lpDevice, bitmap, texWidth, texHeight, lpDTCon->TextureFormat,
                                          TextureUsage::None, MemoryPool::Managed, key, dt.lpTexture);
    if (made == VideoResult::OutOfVideoMemory) {
      LogMirror("VRAM不足のためシステムメモリにテクスチャを作成します。(%s)", szFileName);
      type = DTMEMORYTYPE_SYSTEM;
      dt.nMemoryType = DTMEMORYTYPE_SYSTEM;
    } else if (!Succeeded(made)) {
      LogMirror("テクスチャの作成に失敗。(%s)", szFileName);
      return HResult(made);
    }
  }
  if (type == DTMEMORYTYPE_SYSTEM && (!bRestore || dt.lpTexture == nullptr)) {
    dt.bRenderTarget = 0;
    const VideoResult made =
        platform::CreateTextureFromBitmap(*lpDevice, bitmap, texWidth, texHeight, lpDTCon->TextureFormat,
                                          TextureUsage::Dynamic, MemoryPool::SystemMemory, key, dt.lpTexture);
    if (!Succeeded(made)) {
      LogMirror("D3DXCreateTextureFromFileEx Err %x %s", platform::ResultCode(made), szFileName);
      FatalTextureFailure();
      return HResult(made);
    }
  }
  return TakeLevel(dt) ? 0 : HResult(VideoResult::InvalidCall);
}

int CreateSurfaceFromFileD3D(DDSURFACEDATA* lpSD, const char* szFileName, int nColorKey, int nBpp, int nDDMemory,
                             int nMemoryType, int bAlias, int bIndexMap, int nMirrorWidth, int nMirrorHeight,
                             int bRestore) {
  DTTEXTUREDATA& dt = *lpSD->lpDT;
  if (!bRestore) {
    DDCopyName(lpSD->szSurfaceType, "OffScreenFromFile");
    DDCopyName(lpSD->szFileName, szFileName);
    dt.nMemoryType = static_cast<DTMEMORYTYPE>(nMemoryType);
    ResetInterfaces(dt);
    dt.bColorKey = nColorKey == 1;
    if (!bAlias) {
      dt.nTextureId = lpDTCon->nNextTextureId++;
      VideoResult made;
      if (!CreateRecordVertexBuffer(dt, made)) {
        LogMirror("CreateVertexBuffer Err %x", platform::ResultCode(made));
        return HResult(made);
      }
    }
  }
  platform::BmpImage bitmap;
  if (!DDLoadBitmapFile(szFileName, bitmap)) {
    if (szFileName[0] != '\0') LogMirror("LoadImage Err %s", szFileName);
    return DDSURF_LOADIMAGE_ERR;
  }
  if (bAlias) {
    lpSD->nWidth = lpSD->nTexWidth = bitmap.width;
    lpSD->nHeight = lpSD->nTexHeight = bitmap.height;
  } else {
    if (const int result = CreateFileTexture(lpSD, bitmap, szFileName, nMemoryType, bRestore); result != 0) {
      return result;
    }
    lpSD->nWidth = bitmap.width;
    lpSD->nHeight = bitmap.height;
    lpSD->nTexWidth = dt.Desc.Width;
    lpSD->nTexHeight = dt.Desc.Height;
    if (nMirrorWidth != 0 || nMirrorHeight != 0) {
      DDSURFACEDATA unmirrored;
      DDCreateSurfaceFromFile(&unmirrored, szFileName, nColorKey, nBpp, nDDMemory, nMemoryType, 0, bIndexMap, 0, 0, 0);
      const bool mirrored = CreateMirror(lpSD, &unmirrored, nMirrorWidth, nMirrorHeight);
      DDDestroySurface(&unmirrored);
      if (!mirrored) {
        LogMirror("CreateMirror Err");
        return DDSURF_MIRROR_ERR;
      }
    }
    if (!bRestore) SurfaceList.push_back(lpSD);
  }
  lpSD->nMirrorWidth = nMirrorWidth;
  lpSD->nMirrorHeight = nMirrorHeight;
  lpSD->nDDMemory = nDDMemory;
  if (bIndexMap && nBpp != 8) {
    DDBuildIndexMap(&dt.IndexMap, lpSD);
  } else {
    dt.IndexMap.clear();
  }
  return 0;
}

int CreateSurfaceFromFileDD(DDSURFACEDATA* lpSD, const char* szFileName, int nColorKey, int nBpp, int nDDMemory,
                            int bIndexMap, int nMirrorWidth, int nMirrorHeight) {
  platform::BmpImage bitmap;
  if (!DDLoadBitmapFile(szFileName, bitmap)) {
    ErrLog(szFileName);
    return DDSURF_LOADIMAGE_ERR;
  }
  if (!DDCreateSurface(lpSD, bitmap.width, bitmap.height, nColorKey, nDDMemory, 0, 0, 0)) {
    return DDSURF_CREATESURFACE_ERR;
  }
  if (!CopyBitmap(lpSD, szFileName, nBpp, bIndexMap, nMirrorWidth, nMirrorHeight)) return DDSURF_LOADIMAGE_ERR;
  lpSD->nWidth = lpSD->nTexWidth = bitmap.width;
  lpSD->nHeight = lpSD->nTexHeight = bitmap.height;
  lpSD->nMirrorWidth = nMirrorWidth;
  lpSD->nMirrorHeight = nMirrorHeight;
  DDCopyName(lpSD->szFileName, szFileName);
  lpSD->nDDMemory = nDDMemory;
  return 0;
}

void RemoveFromSurfaceList(DDSURFACEDATA* lpSD, int nTextureId) {
  for (auto it = SurfaceList.begin(); it != SurfaceList.end();) {
    DDSURFACEDATA* entry = *it;
    const bool sameTexture = entry->lpDT != nullptr && entry->lpDT->nTextureId == nTextureId && nTextureId != 0;
    it = entry == lpSD || sameTexture ? SurfaceList.erase(it) : std::next(it);
  }
}

}  // namespace

bool DDCreateSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int nColorKey, int nDDMemory, int nMemoryType,
                     int bNoTexture, int bRestore) {
  if (lpSD == nullptr) return false;
  if (lpDTCon != nullptr && lpDevice == nullptr) return false;
  if (lpDTCon == nullptr && lpDD == nullptr) return false;
  lpSD->AllocBackendPart();
  if (lpDTCon != nullptr) {
    return CreateSurfaceD3D(lpSD, nWidth, nHeight, nColorKey, nDDMemory, nMemoryType, bNoTexture, bRestore);
  }
  return CreateSurfaceDD(lpSD, nWidth, nHeight, nColorKey, nDDMemory);
}

int DDCreateSurfaceFromFile(DDSURFACEDATA* lpSD, const char* szFileName, int nColorKey, int nBpp, int nDDMemory,
                            int nMemoryType, int bAlias, int bIndexMap, int nMirrorWidth, int nMirrorHeight,
                            int bRestore) {
  if (lpSD == nullptr) return DDSURF_CREATESURFACE_ERR;
  if (szFileName == nullptr) szFileName = "";
  if (lpDTCon != nullptr) {
    if (lpDevice == nullptr) return DDSURF_CREATESURFACE_ERR;
    lpSD->AllocBackendPart();
    return CreateSurfaceFromFileD3D(lpSD, szFileName, nColorKey, nBpp, nDDMemory, nMemoryType, bAlias, bIndexMap,
                                    nMirrorWidth, nMirrorHeight, bRestore);
  }
  if (lpDD == nullptr) return DDSURF_CREATESURFACE_ERR;
  return CreateSurfaceFromFileDD(lpSD, szFileName, nColorKey, nBpp, nDDMemory, bIndexMap, nMirrorWidth, nMirrorHeight);
}

bool DDSurfaceErrorText(int nCode) {
  switch (nCode) {
    case DDSURF_CREATESURFACE_ERR: ErrLog("CREATESURFACE_ERR"); return false;
    case DDSURF_LOADIMAGE_ERR: ErrLog("LOADIMAGE_ERR"); return false;
    case DDSURF_SETCOLORKEY_ERR: ErrLog("SETCOLORKEY_ERR"); return false;
    default: return true;
  }
}

void DDDestroySurface(DDSURFACEDATA* lpSD) {
  if (lpSD == nullptr) return;
  if (DTTEXTUREDATA* dt = lpSD->lpDT; dt != nullptr) {
    if (lpSD->lpAliasSrc == nullptr) {
      ResetInterfaces(*dt);
      RemoveFromSurfaceList(lpSD, dt->nTextureId);
    }
    delete dt;
    lpSD->lpDT = nullptr;
  }
  if (DDRAWDATA* dd = lpSD->lpDDraw; dd != nullptr) {
    delete dd;
    lpSD->lpDDraw = nullptr;
  }
}

void DDReleaseSurface(DDSURFACEDATA* lpSD) { DDDestroySurface(lpSD); }

void DDRoundTextureSize(int* lpWidth, int* lpHeight) {
  if (lpDTCon == nullptr || lpWidth == nullptr || lpHeight == nullptr) return;
  if (lpDTCon->bPow2) {
    for (int* side : {lpWidth, lpHeight}) {
      const auto v = static_cast<unsigned>(*side);
      if (v != 0 && (v & (v - 1)) != 0) {
        unsigned highest = 1;
        while (highest <= v / 2) highest <<= 1;
        *side = static_cast<int>(highest * 2);
      }
    }
  }
  if (lpDTCon->bSquareOnly) *lpWidth = *lpHeight = std::max(*lpWidth, *lpHeight);
}

bool DDCheckTextureSize(int nWidth, int nHeight) {
  if (lpDTCon == nullptr) return true;
  bool fits = true;
  if (static_cast<unsigned>(nWidth) > static_cast<unsigned>(lpDTCon->Caps.maxTextureWidth)) {
    LogMirror("このビデオカードでは横幅%dを超える画像はサポートされていません！", lpDTCon->Caps.maxTextureWidth);
    fits = false;
  }
  if (static_cast<unsigned>(nHeight) > static_cast<unsigned>(lpDTCon->Caps.maxTextureHeight)) {
    LogMirror("このビデオカードでは縦幅%dを超える画像はサポートされていません！", lpDTCon->Caps.maxTextureHeight);
    fits = false;
  }
  return fits;
}
