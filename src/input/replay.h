#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "core/record_base.h"

class cInput;

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
