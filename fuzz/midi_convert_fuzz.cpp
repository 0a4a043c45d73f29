// Reads arbitrary bytes as a standard MIDI file and plays the whole image through the stream
// player on a silent synthesiser: the converter's checks, the buffer filling of every part
// of the image and the sequencer's reading of every record, the song's end included.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "platform/sound/midi_synth.h"
#include "sound/midi_stream.h"
#include "sound/music_output.h"

namespace {

class SilentSynth : public platform::MidiSynth {
  void ShortMessage(std::uint32_t) override {}
  void LongMessage(const std::uint8_t*, std::size_t) override {}
  void AllNotesOff() override {}
  void Reset() override {}
  void MixInto(float*, int) override {}
};
std::unique_ptr<platform::MidiSynth> MakeSilent(std::string&) { return std::make_unique<SilentSynth>(); }

std::vector<int> g_reached;
void Collect(cMidiStream*, int header) { g_reached.push_back(header); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::SoundMixer mixer;
  static const bool ready = [] {
    platform::SetMidiSynthFactory(&MakeSilent);
    cMidiStream::SetNotifyHookForTests(&Collect);
    SetMusicMixer(&mixer);
    return true;
  }();
  (void)ready;
  cMidiStream player("fuzz.mid", std::span(data, size));
  if (!player.HasImage()) return 0;
  const std::vector<std::uint8_t>& image = player.Image();
  if (image.size() < 25 || image[image.size() - 3] != 0xFF || image[image.size() - 2] != 0x2F) std::abort();
  // Time is skipped ahead: the stream is rendered in large steps until the song has ended.
  player.Restart(false);
  std::vector<float> out(2 * 4096);
  for (int step = 0; step < 256 && player.State() == cMidiStream::kPlaying; ++step) {
    mixer.RenderFloat(out.data(), 4096);
    std::vector<int> reached;
    reached.swap(g_reached);
    for (int header : reached) player.OnPositionReached(header);
  }
  return 0;
}
