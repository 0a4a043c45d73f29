#include "gfx/bitmap_file.h"

#include "core/host_path.h"

bool DDLoadBitmapFile(const char* szFileName, platform::BmpImage& bitmap) {
  bitmap = platform::BmpImage{};
  if (szFileName == nullptr || szFileName[0] == '\0') return false;
  const std::string hostPath = HostPathForRead(szFileName);
  if (hostPath.empty()) return false;
  return platform::LoadBmpFile(hostPath, bitmap) == platform::BmpError::None;
}
