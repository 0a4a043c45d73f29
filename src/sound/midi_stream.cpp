#include "sound/midi_stream.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "core/report_log.h"
#include "platform/worker_thread.h"
#include "sound/music_output.h"

namespace {

using platform::kMidiEventCallback;
using platform::kMidiEventLong;
using platform::kMidiEventTempo;

void PutLe32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Said once per run: a missing soundfont would otherwise be logged at every track start.
std::atomic<bool> g_synthNoteLogged{false};
std::atomic<cMidiStream::NotifyHook> g_notifyHook{nullptr};

// One event of the image as the stream will get it.
struct StreamEvent {
  std::uint32_t delta = 0;
  std::size_t next = 0;  // image offset after the event
  std::uint8_t status = 0;
  std::uint32_t event = 0;
  const std::uint8_t* params = nullptr;  // a long event's data after its status byte
  std::uint32_t paramCount = 0;          // the status byte and the data
  bool skip = false;                     // no record: its time goes to the next one
  bool last = false;                     // the song's end, after which the buffer ends
};

std::size_t RecordSize(const StreamEvent& ev) { return ev.params != nullptr ? 12 + ((ev.paramCount + 3) & ~3u) : 12; }

// False when the image holds no whole event at `at`.
bool ReadStreamEvent(const std::vector<std::uint8_t>& image, std::size_t at, StreamEvent& ev) {
  const std::size_t end = image.size();
  const int n = cSmf::ReadVarLen(image.data() + at, end - at, ev.delta);
  const std::size_t p = at + static_cast<std::size_t>(n);
  if (n == 0 || p >= end) return false;
  ev.status = image[p];
  if (ev.status != 0xFF && ev.status != 0xF0 && ev.status != 0xF7) {
    const std::size_t dataBytes = (ev.status & 0xE0) == 0xC0 ? 1 : 2;
    ev.next = p + 1 + dataBytes;
    if (ev.next > end) return false;
    ev.event = ev.status | image[p + 1] << 8;
    if (dataBytes == 2) ev.event |= static_cast<std::uint32_t>(image[p + 2]) << 16;
    return true;
  }
  const std::size_t head = ev.status == 0xFF ? 2 : 1;
  if (end - p <= head) return false;
  std::uint32_t length = 0;
  const int m = cSmf::ReadVarLen(image.data() + p + head, end - p - head, length);
  ev.next = p + head + static_cast<std::size_t>(m) + length;
  if (m == 0 || ev.next > end) return false;
  const std::uint8_t* body = image.data() + p + head + m;
  if (ev.status != 0xFF) {
    ev.paramCount = length + 1;
    ev.params = body;
    ev.event = kMidiEventLong | ev.paramCount;
    // A message that no buffer could hold is left out.
    ev.skip = RecordSize(ev) > static_cast<std::size_t>(cMidiStream::kBufSize);
    return true;
  }
  const std::uint8_t type = image[p + 1];
  if (type == 0x2F) {
    ev.event = kMidiEventCallback | 0x2FFF;
    ev.last = true;
  } else if (type == 0x51 && length == 3) {
    ev.event = kMidiEventTempo | static_cast<std::uint32_t>(body[0] << 16 | body[1] << 8 | body[2]);
  } else {
    ev.skip = true;
  }
  return true;
}

}  // namespace

unsigned MidiThreadProc(void* argument) {
  auto* player = static_cast<cMidiStream*>(argument);
  for (;;) {
    platform::Message message;
    const platform::PeekResult result = platform::PeekThreadMessage(message);
    if (result == platform::PeekResult::Quit) return 0;
    if (result == platform::PeekResult::Empty) {
      if (!platform::SleepOrStop(1)) return 0;
      continue;
    }
    if (message.message == MM_MOM_POSITIONCB) player->OnPositionReached(static_cast<int>(message.lParam));
  }
}

cMidiStream::cMidiStream(const std::string& file) : cSmf(file) {
  if (HasImage()) Open();
}

cMidiStream::cMidiStream(const std::string& name, std::span<const std::uint8_t> bytes) {
  LoadBytes(name, bytes);
  if (HasImage()) Open();
}

cMidiStream::~cMidiStream() {
  if (!HasImage()) return;
  {
    std::lock_guard lock(m_Mutex);
    std::string error;
    if (m_hStream) {
      if (!m_hStream->Reset(error)) LogFailure("Reset", error);
      for (platform::MidiHeader& header : m_pHdr) {
        if (!m_hStream->Unprepare(&header, error)) LogFailure("Unprepare", error);
      }
      // No notification comes after the close.
      m_hStream->Close();
      m_hStream.reset();
    }
  }
  m_NotifyThread.PostQuit();
  m_NotifyThread.Wait();
}

void cMidiStream::LogFailure(const char* what, const std::string& error) {
  LogMirror("Midi %s %s %s", m_strFile.c_str(), what, error.c_str());
}

void cMidiStream::Open() {
  std::lock_guard lock(m_Mutex);
  m_nHdr = 0;
  for (int i = 0; i < kHdrCount; ++i) {
    m_pHdr[i].data.assign(kBufSize, 0);
    m_pHdr[i].user = static_cast<std::uintptr_t>(i);
  }
  if (m_NotifyThread.Start(MidiThreadProc, this) == 0) LogFailure("Open", "the notification thread could not start");
  std::string note;
  m_hStream = platform::MidiStreamDevice::Open(
      MusicMixer(),
      [this](platform::MidiHeader* header) {
        if (const NotifyHook hook = g_notifyHook.load()) return hook(this, static_cast<int>(header->user));
        m_NotifyThread.PostThreadMessage(MM_MOM_POSITIONCB, 0, static_cast<std::intptr_t>(header->user));
      },
      note);
  if (!note.empty() && !g_synthNoteLogged.exchange(true)) Log("%s", note.c_str());
  std::string error;
  const int division = Image()[12] << 8 | Image()[13];
  if (!m_hStream->SetTimeDivision(division, error)) LogFailure("Property", error);
  m_nOffset = static_cast<int>(kImageHead);
  m_nState = kStopped;
  OutLocked();
}

void cMidiStream::SetNotifyHookForTests(NotifyHook hook) { g_notifyHook.store(hook); }

void cMidiStream::Out() {
  std::lock_guard lock(m_Mutex);
  OutLocked();
}

void cMidiStream::OutLocked() {
  if (!HasImage() || !m_hStream) return;
  const std::vector<std::uint8_t>& image = Image();
  std::size_t at = static_cast<std::size_t>(m_nOffset);
  platform::MidiHeader& header = m_pHdr[static_cast<std::size_t>(m_nHdr)];
  if (at >= image.size() || (header.flags & platform::kMidiHeaderInQueue) != 0) return;

  std::fill(header.data.begin(), header.data.end(), 0);
  std::uint8_t* buffer = header.data.data();
  std::size_t used = 0;
  std::size_t lastRecord = SIZE_MAX;
  std::uint32_t carried = 0;      // delta time of skipped events, added to the next record
  std::size_t carriedFrom = at;   // where the skipped run began
  while (at < image.size()) {
    StreamEvent ev;
    if (!ReadStreamEvent(image, at, ev)) break;
    if (ev.skip) {
      if (carried == 0) carriedFrom = at;
      carried += ev.delta;
      at = ev.next;
      continue;
    }
    const std::size_t recordSize = RecordSize(ev);
    if (used + recordSize > static_cast<std::size_t>(kBufSize)) {
      // The skipped run's time goes with the record that did not fit, into the next buffer.
      if (carried != 0) at = carriedFrom;
      break;
    }
    PutLe32(buffer + used, carried + ev.delta);
    PutLe32(buffer + used + 4, 0);
    PutLe32(buffer + used + 8, ev.event);
    if (ev.params != nullptr) {
      buffer[used + 12] = ev.status;
      std::memcpy(buffer + used + 13, ev.params, ev.paramCount - 1);
    }
    lastRecord = used;
    used += recordSize;
    carried = 0;
    at = ev.next;
    if (ev.last) break;
  }
  // The stream tells the thread when it reaches the buffer's last event.
  if (lastRecord != SIZE_MAX) buffer[lastRecord + 11] |= static_cast<std::uint8_t>(kMidiEventCallback >> 24);
  header.bytesRecorded = static_cast<std::uint32_t>(used);
  header.flags = 0;
  header.offset = 0;
  m_nOffset = static_cast<int>(at);
  std::string error;
  if (!m_hStream->Prepare(&header, error)) LogFailure("Prepare", error);
  if (!m_hStream->Out(&header, error)) LogFailure("Out", error);
  m_nHdr = (m_nHdr + 1) % kHdrCount;
}

void cMidiStream::Restart(bool loop) {
  std::lock_guard lock(m_Mutex);
  RestartLocked(loop);
}

void cMidiStream::RestartLocked(bool loop) {
  if (!HasImage() || !m_hStream) return;
  m_bLoop = loop;
  if (m_nState == kPlaying) return;
  std::string error;
  if (!m_hStream->Restart(error)) LogFailure("Restart", error);
  const bool wasPaused = m_nState == kPaused;
  m_nState = kPlaying;
  if (!wasPaused && static_cast<std::size_t>(m_nOffset) < Image().size()) OutLocked();
}

void cMidiStream::Stop(bool pause) {
  std::lock_guard lock(m_Mutex);
  StopLocked(pause);
}

void cMidiStream::StopLocked(bool pause) {
  if (!HasImage() || !m_hStream) return;
  std::string error;
  if (pause) {
    if (m_nState != kPlaying) return;
    if (!m_hStream->Pause(error)) LogFailure("Pause", error);
    m_nState = kPaused;
    return;
  }
  if (!m_hStream->Stop(error)) LogFailure("Stop", error);
  m_nState = kStopped;
  m_nOffset = static_cast<int>(kImageHead);
  OutLocked();
}

int cMidiStream::State() {
  std::lock_guard lock(m_Mutex);
  return m_nState;
}

int cMidiStream::Offset() {
  std::lock_guard lock(m_Mutex);
  return m_nOffset;
}

void cMidiStream::OnPositionReached(int index) {
  std::lock_guard lock(m_Mutex);
  if (!HasImage() || !m_hStream || index < 0 || index >= kHdrCount) return;
  const platform::MidiHeader& header = m_pHdr[static_cast<std::size_t>(index)];
  std::uint32_t event = 0;
  if (header.offset + 12 <= header.data.size()) {
    const std::uint8_t* at = header.data.data() + header.offset + 8;
    event = static_cast<std::uint32_t>(at[0] | at[1] << 8 | at[2] << 16);
  }
  if (event == 0x2FFF) {
    StopLocked(false);
    if (m_bLoop) RestartLocked(true);
    return;
  }
  if (static_cast<std::size_t>(m_nOffset) < Image().size()) OutLocked();
}
