#include "gfx/surface_data.h"

#include <cstring>

#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"

cList<DDSURFACEDATA*>& SurfaceList = *new cList<DDSURFACEDATA*>();

namespace {

void CopyDescription(DDSURFACEDATA& to, const DDSURFACEDATA& from) {
  std::memcpy(to.szSurfaceType, from.szSurfaceType, sizeof to.szSurfaceType);
  std::memcpy(to.szFileName, from.szFileName, sizeof to.szFileName);
  to.nWidth = from.nWidth;
  to.nHeight = from.nHeight;
  to.nTexWidth = from.nTexWidth;
  to.nTexHeight = from.nTexHeight;
  to.nDDMemory = from.nDDMemory;
  to.nMirrorWidth = from.nMirrorWidth;
  to.nMirrorHeight = from.nMirrorHeight;
  to.lpAliasSrc = from.lpAliasSrc;
  to.bLost = from.bLost;
}

}  // namespace

DDSURFACEDATA::DDSURFACEDATA(const DDSURFACEDATA& other) { CopyDescription(*this, other); }

DDSURFACEDATA& DDSURFACEDATA::operator=(const DDSURFACEDATA& other) {
  if (this != &other) {
    DDReleaseSurface(this);
    CopyDescription(*this, other);
  }
  return *this;
}

DDSURFACEDATA::~DDSURFACEDATA() {
  if (lpDT != nullptr || lpDDraw != nullptr) DDReleaseSurface(this);
}

void DDSURFACEDATA::AllocBackendPart() {
  if (DDBackend == 1) {
    if (lpDT == nullptr) lpDT = new DTTEXTUREDATA();
  } else if (lpDDraw == nullptr) {
    lpDDraw = new DDRAWDATA();
  }
}

DDSURFACEDATA& DDSurfaceVector::operator[](int index) {
  if (index >= 0 && index < size()) [[likely]]
    return records_[static_cast<std::size_t>(index)];
  ReportBadSequenceIndex(SequenceKind::Vector, index, records_.size(), sizeof(DDSURFACEDATA));
  return records_.empty() ? SequenceDefaultElement<DDSURFACEDATA>() : records_.front();
}

const DDSURFACEDATA& DDSurfaceVector::operator[](int index) const { return const_cast<DDSurfaceVector&>(*this)[index]; }

void DDCopyName(char (&field)[kDDNameSize], const char* text) {
  if (text == nullptr) text = "";
  std::size_t length = std::strlen(text);
  if (length >= kDDNameSize) length = kDDNameSize - 1;
  std::memcpy(field, text, length);
  field[length] = '\0';
}

bool DDNameIs(const char (&field)[kDDNameSize], const char* text) { return std::strcmp(field, text) == 0; }
