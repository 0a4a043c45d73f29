#include "input/replay.h"

#include "input/input.h"

cReplay Replay0;
cReplay Replay1;
std::int32_t ReplayKeyGuard = 0;

namespace {

// One run-length step of a stream: the run grows while the value stays.
void Append(cVector<std::uint16_t>& values, cVector<std::uint32_t>& runs, std::uint16_t value) {
  if (!values.empty() && values.back() == value) {
    ++runs.back();
    return;
  }
  values.push_back(value);
  runs.push_back(1);
}

// The next value of a stream; the position moves on when its run is played out.
std::uint16_t Next(const cVector<std::uint16_t>& values, const cVector<std::uint32_t>& runs, std::int32_t& pos,
                   std::int32_t& frame) {
  const std::uint16_t value = values[pos];
  ++frame;
  // Counted as signed, as the record stores them.
  if (frame >= static_cast<std::int32_t>(runs[pos])) {
    frame = 0;
    ++pos;
  }
  return value;
}

}  // namespace

cReplay::cReplay() {
  RegisterFields(CurrentVersion);
  Clear();
}

cReplay::cReplay(const cReplay& other) : cReplay() { *this = other; }

cReplay& cReplay::operator=(const cReplay& other) {
  if (this == &other) return *this;
  m_Dirs = other.m_Dirs;
  m_Buttons = other.m_Buttons;
  m_DirRuns = other.m_DirRuns;
  m_ButtonRuns = other.m_ButtonRuns;
  m_nSeed = other.m_nSeed;
  return *this;
}

void cReplay::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&m_nSeed);
}

void cReplay::Clear() {
  cData::Clear();
  m_Dirs.clear();
  m_Buttons.clear();
  m_DirRuns.clear();
  m_ButtonRuns.clear();
  Rewind();
}

void cReplay::Rewind() { m_nDirPos = m_nButtonPos = m_nDirFrame = m_nButtonFrame = 0; }

void cReplay::Record(const cInput& input) {
  Append(m_Dirs, m_DirRuns, input.m_wDir);
  Append(m_Buttons, m_ButtonRuns, input.m_wButton);
}

int cReplay::Play(cInput& input) {
  if (m_nDirPos >= static_cast<std::int32_t>(m_Dirs.size()) || m_nButtonPos >= static_cast<std::int32_t>(m_Buttons.size())) {
    return 1;
  }
  input.m_wDir = Next(m_Dirs, m_DirRuns, m_nDirPos, m_nDirFrame);
  input.m_wButton = Next(m_Buttons, m_ButtonRuns, m_nButtonPos, m_nButtonFrame);
  return 0;
}
