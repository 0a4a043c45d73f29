#include "world/frame_log.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "world/scene_play.h"
#include "world/world_digest.h"

void AppendFrameLog(const cScenePlay& scene) {
  const char* path = std::getenv("KESTREL_FRAME_LOG");
  if (path == nullptr || *path == '\0') return;
  std::FILE* file = std::fopen(path, "a");
  if (file == nullptr) return;
  std::fprintf(file, "%d %d %d %d %d %016" PRIx64 "\n", scene.nRunFrames, scene.m_nState, SaveDataCur.m_nScore,
               SaveDataCur.m_nLives, scene.nTimeLeft, WorldDigest(scene));
  std::fclose(file);
}
