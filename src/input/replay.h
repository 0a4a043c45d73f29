#pragma once

#include <cstdint>
#include <string_view>

#include "core/checked_sequence.h"
#include "core/record_base.h"

class cInput;
class cSaveData;
class cStageData;

// The player's input of one stage attempt and the seed it was played with. Play is
// deterministic for a seed and a sequence of input words, so feeding the words back frame by
// frame repeats the attempt. The direction word and the button word are each kept as runs:
// a value and the number of frames it lasted.
class cReplay : public cData {
 public:
  cReplay();
  cReplay(const cReplay& other);
  // The streams and the seed; the play positions stay as they were.
  cReplay& operator=(const cReplay& other);

  void RegisterFields(std::int32_t version) override;
  // The seed and the four streams. A read fails when a stream and its runs differ in length
  // or a run is not 1 to 2^31 - 1 frames long (a run of 0 would never end).
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  // A replay file: the stage as the attempt began (the settings of `startStage`, the
  // palettes and placements of `stage`), this replay and the progress at the start of the
  // attempt. 0 when it cannot be written.
  int WriteFile(std::string_view path, cStageData& stage, cStageData& startStage, cSaveData& progress);
  // Reads a replay file whole before taking anything: then the stage, its start state (with
  // no palettes or placements), this replay and, from files of version 173 on, the progress
  // are replaced together. 0, with none of them changed, when the file cannot be read.
  int ReadFile(std::string_view path, cStageData& stage, cStageData& startStage, cSaveData& progress);
  // The same on a replay file's bytes past its version header.
  void WriteTo(RecordWriter& out, cStageData& stage, cStageData& startStage, cSaveData& progress);
  bool ReadFrom(RecordReader& in, cStageData& stage, cStageData& startStage, cSaveData& progress);

  // The seed 0, no runs, playback from the start.
  void Clear();
  // Appends this frame's two words.
  void Record(const cInput& input);
  // Writes the next frame's words into the input; 1 (nothing written) once either stream is
  // exhausted, else 0.
  int Play(cInput& input);
  // Playback from the first frame again.
  void Rewind();

  cVector<std::uint16_t> m_Dirs;
  cVector<std::uint16_t> m_Buttons;
  cVector<std::uint32_t> m_DirRuns;
  cVector<std::uint32_t> m_ButtonRuns;
  std::int32_t m_nSeed = 0;
  std::int32_t m_nDirPos = 0;
  std::int32_t m_nButtonPos = 0;
  std::int32_t m_nDirFrame = 0;
  std::int32_t m_nButtonFrame = 0;
};

// The attempt in progress and the one before it.
extern cReplay Replay0;
extern cReplay Replay1;
// Frames left before an empty buffer's sound may play again while F1 or F2 stays down.
extern std::int32_t ReplayKeyGuard;
