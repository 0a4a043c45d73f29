#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "core/checked_sequence.h"
#include "data/surface_defs.h"
#include "gfx/dd_types.h"
#include "platform/video/draw_surface.h"
#include "platform/video/render_resources.h"

// Level description of a Direct3D record's texture.
struct DTLEVELDESC {
  platform::PixelFormat Format = platform::PixelFormat::Argb8888;
  platform::MemoryPool Pool = platform::MemoryPool::Default;
  int Width = 0;
  int Height = 0;
};

// The Direct3D part of a record.
struct DTTEXTUREDATA {
  int nTextureId = 0;                                        // from the context's counter; 0 for "BackBuffer"
  std::shared_ptr<platform::RenderSurface> lpSurface;        // level 0, or the device back buffer
  std::shared_ptr<platform::RenderSurface> lpSystemSurface;  // shadow of a render target, for pixel access
  std::shared_ptr<platform::VertexBuffer> lpVB;              // four vertices
  std::shared_ptr<platform::Texture> lpTexture;
  DTLEVELDESC Desc;
  DTMEMORYTYPE nMemoryType = DTMEMORYTYPE_VIDEO_RT;
  BOOL bColorKey = 0;
  BOOL bRenderTarget = 0;
  std::vector<BYTE> IndexMap;  // palette index map; empty = none
};

// The DirectDraw part of a record.
struct DDRAWDATA {
  std::shared_ptr<platform::DrawSurface> lpSurface;
  std::vector<BYTE> IndexMap;
};

constexpr int kDDNameSize = 260;

// A drawable surface. A record starts zeroed and without backend part, gets one on creation
// and loses it on release, keeping its names and sizes. A copy carries the names and sizes
// only, never the surface; destroying a record that still owns a surface releases it first,
// so that no list of live records is ever left pointing at it.
struct DDSURFACEDATA {
  DTTEXTUREDATA* lpDT = nullptr;
  DDRAWDATA* lpDDraw = nullptr;
  char szSurfaceType[kDDNameSize] = {};
  int nWidth = 0;
  int nHeight = 0;
  int nTexWidth = 0;
  int nTexHeight = 0;
  char szFileName[kDDNameSize] = {};
  int nDDMemory = 0;  // 0 video memory, 1 system memory
  int nMirrorWidth = 0;
  int nMirrorHeight = 0;
  DDSURFACEDATA* lpAliasSrc = nullptr;
  BOOL bLost = 0;

  DDSURFACEDATA() = default;
  DDSURFACEDATA(const DDSURFACEDATA& other);
  DDSURFACEDATA& operator=(const DDSURFACEDATA& other);
  ~DDSURFACEDATA();

  // Allocates the backend part of the backend chosen at DDInit unless the record has it.
  void AllocBackendPart();
};

// One row of a surface table: SurfaceDef of the project data (data/surface_defs.h).

// Every Direct3D record that owns a texture, in creation order. Never destroyed, so records
// released during static destruction can still leave it.
extern cList<DDSURFACEDATA*>& SurfaceList;

// A growable array of records whose records never move: the texture list above refers to
// them by address. Indexed access is checked like every sequence of the program.
class DDSurfaceVector {
 public:
  DDSURFACEDATA& operator[](int index);
  const DDSURFACEDATA& operator[](int index) const;
  int size() const { return static_cast<int>(records_.size()); }
  bool empty() const { return records_.empty(); }
  DDSURFACEDATA& emplace_back() { return records_.emplace_back(); }
  DDSURFACEDATA& back() { return records_.back(); }
  void clear() { records_.clear(); }
  auto begin() { return records_.begin(); }
  auto end() { return records_.end(); }
  auto begin() const { return records_.begin(); }
  auto end() const { return records_.end(); }

 private:
  std::deque<DDSURFACEDATA> records_;
};

using DDSurfaceList = cList<DDSURFACEDATA>;
using SurfaceDefVector = cVector<SurfaceDef>;
using SurfaceDefList = cList<SurfaceDef>;

// Copies a name into a record's fixed field, cut to fit.
void DDCopyName(char (&field)[kDDNameSize], const char* text);
bool DDNameIs(const char (&field)[kDDNameSize], const char* text);
