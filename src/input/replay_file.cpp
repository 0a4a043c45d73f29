// Replays as records and as files.
#include <memory>
#include <string>

#include "core/record_file.h"
#include "core/report_log.h"
#include "data/save_data.h"
#include "data/stage_data.h"
#include "input/replay.h"

namespace {

// Files from this version on carry the progress at the attempt's start.
constexpr std::int32_t kProgressFrom = 173;
constexpr std::uint32_t kLongestRun = 0x7FFFFFFFu;

bool RunsMatch(const cVector<std::uint16_t>& values, const cVector<std::uint32_t>& runs) {
  if (values.size() != runs.size()) return false;
  for (const std::uint32_t run : runs) {
    if (run == 0 || run > kLongestRun) return false;
  }
  return true;
}

}  // namespace

bool cReplay::Read(RecordReader& in) {
  if (!cData::Read(in) || !ReadValueList(m_Dirs, in) || !ReadValueList(m_Buttons, in) ||
      !ReadValueList(m_DirRuns, in) || !ReadValueList(m_ButtonRuns, in)) {
    return false;
  }
  if (!RunsMatch(m_Dirs, m_DirRuns) || !RunsMatch(m_Buttons, m_ButtonRuns)) return in.Fail("replay runs out of order");
  return true;
}

void cReplay::Write(RecordWriter& out) {
  cData::Write(out);
  WriteValueList(m_Dirs, out);
  WriteValueList(m_Buttons, out);
  WriteValueList(m_DirRuns, out);
  WriteValueList(m_ButtonRuns, out);
}

void cReplay::WriteTo(RecordWriter& out, cStageData& stage, cStageData& startStage, cSaveData& progress) {
  stage.WriteSnapshot(out, startStage);
  Write(out);
  progress.Write(out);
}

int cReplay::WriteFile(std::string_view path, cStageData& stage, cStageData& startStage, cSaveData& progress) {
  std::unique_ptr<RecordFileWriter> file = DataFileOpenWrite(path);
  if (!file) return 0;
  WriteTo(file->Out(), stage, startStage, progress);
  return DataFileClose(file) ? 1 : 0;
}

bool cReplay::ReadFrom(RecordReader& in, cStageData& stage, cStageData& startStage, cSaveData& progress) {
  auto readStage = std::make_unique<cStageData>();
  cReplay readReplay;
  // Members an older progress record lacks keep what the live one holds.
  auto readProgress = std::make_unique<cSaveData>(progress);
  if (!readStage->Read(in) || !readReplay.Read(in) || (in.Version() >= kProgressFrom && !readProgress->Read(in))) {
    return false;
  }
  stage = std::move(*readStage);
  startStage.AssignStartState(stage);
  startStage.ClearPalettesAndPlacements();
  *this = readReplay;
  Rewind();
  progress = *readProgress;
  return true;
}

int cReplay::ReadFile(std::string_view path, cStageData& stage, cStageData& startStage, cSaveData& progress) {
  std::unique_ptr<RecordReader> file = DataFileOpenRead(path);
  if (!file) return 0;
  const bool ok = ReadFrom(*file, stage, startStage, progress);
  if (!ok) Log("replay %s does not read: %s", std::string(path).c_str(), file->Error().c_str());
  DataFileClose(file);
  return ok ? 1 : 0;
}
