#include "gfx/blend_table.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "core/host_path.h"
#include "gfx/dd_state.h"

BYTE DDBlendTable[kBlendTableSize] = {};

bool DDLoadBlendTable(BYTE* lpTable, const char* szFileName) {
  if (lpDTCon != nullptr) return true;
  if (lpTable == nullptr || szFileName == nullptr) return false;
  const std::string hostPath = HostPathForRead(szFileName);
  if (hostPath.empty()) return false;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(hostPath.c_str(), "rb"), &std::fclose);
  if (file == nullptr) return false;
  // One byte more than a table is read, so that a longer file is told apart; a short or long
  // file would leave a table of mixed entries.
  auto bytes = std::make_unique<BYTE[]>(kBlendTableSize + 1);
  const std::size_t read = std::fread(bytes.get(), 1, kBlendTableSize + 1, file.get());
  if (read != static_cast<std::size_t>(kBlendTableSize)) return false;
  std::memcpy(lpTable, bytes.get(), kBlendTableSize);
  return true;
}

int DDIsFullScreenBackBuffer(const DDSURFACEDATA* lpSD) { return lpSD == &SDBackBuffer && DDWindowed == 0 ? 1 : 0; }
