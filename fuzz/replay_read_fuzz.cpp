// Reads arbitrary bytes as a replay file: the stage as the attempt began, the recorded input and
// the progress, at whatever version the header names. Whatever the bytes, the read must end
// without a crash, a hang or a large allocation; a replay that did read must write back to bytes
// that read to the same, and must play to its end.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "data/save_data.h"
#include "input/input.h"
#include "input/replay.h"
#include "small_project.h"

namespace {

struct ReplayParts {
  cReplay replay;
  cStageData stage;
  cStageData start;
  cSaveData progress;

  bool Read(const std::string& bytes) {
    std::unique_ptr<RecordReader> in = RecordBytesReader(bytes, "fuzz");
    if (!in) return false;
    in->SetContext(&SmallProjectContext());
    return replay.ReadFrom(*in, stage, start, progress);
  }
  std::string Write() {
    return WithStagePalette(stage, [&] {
      RecordWriter out;
      out.WriteI32(CurrentVersion);
      replay.WriteTo(out, stage, start, progress);
      return out.Bytes();
    });
  }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) { return InitSmallProjectFuzzing(); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto parts = std::make_unique<ReplayParts>();
  if (!parts->Read(std::string(reinterpret_cast<const char*>(data), size))) return 0;
  const std::string written = parts->Write();
  auto back = std::make_unique<ReplayParts>();
  if (!back->Read(written) || back->Write() != written) std::abort();
  // Every run is 1 to 2^31 - 1 frames, so playback ends; only short ones are played out here.
  std::uint64_t frames = 0;
  for (const std::uint32_t run : parts->replay.m_DirRuns) frames += run;
  if (frames <= 100000) {
    cInput input;
    std::uint64_t played = 0;
    while (parts->replay.Play(input) == 0) {
      if (++played > frames) std::abort();
    }
  }
  return 0;
}
