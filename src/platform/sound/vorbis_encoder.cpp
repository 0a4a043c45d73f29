#include "platform/sound/vorbis_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstddef>

namespace platform {

namespace {

// The encoder's state, released in reverse order of its making whatever way the encoding ends.
class VorbisStream {
 public:
  VorbisStream() {
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
  }
  ~VorbisStream() {
    if (streamReady_) ogg_stream_clear(&stream_);
    if (blockReady_) vorbis_block_clear(&block_);
    if (dspReady_) vorbis_dsp_clear(&dsp_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }
  VorbisStream(const VorbisStream&) = delete;
  VorbisStream& operator=(const VorbisStream&) = delete;

  bool Start(const VorbisSource& source, std::string& out) {
    if (vorbis_encode_init_vbr(&info_, 1, source.rate, source.quality) != 0) return false;
    if (vorbis_analysis_init(&dsp_, &info_) != 0) return false;
    dspReady_ = true;
    if (vorbis_block_init(&dsp_, &block_) != 0) return false;
    blockReady_ = true;
    if (ogg_stream_init(&stream_, source.serial) != 0) return false;
    streamReady_ = true;
    ogg_packet identification;
    ogg_packet comments;
    ogg_packet codebooks;
    if (vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks) != 0) return false;
    ogg_stream_packetin(&stream_, &identification);
    ogg_stream_packetin(&stream_, &comments);
    ogg_stream_packetin(&stream_, &codebooks);
    // The headers stand on pages of their own, ahead of the first audio page.
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) Append(page, out);
    return true;
  }

  // Hands samples to the encoder (none: the end of the stream) and collects the pages made.
  void Feed(const std::int16_t* samples, int count, std::string& out) {
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp_, count);
      for (int i = 0; i < count; ++i) buffer[0][i] = static_cast<float>(samples[i]) / 32768.0f;
    }
    vorbis_analysis_wrote(&dsp_, count);
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&stream_, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream_, &page) != 0) Append(page, out);
      }
    }
  }

  void Finish(std::string& out) {
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) Append(page, out);
  }

 private:
  static void Append(const ogg_page& page, std::string& out) {
    out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
  }

  vorbis_info info_{};
  vorbis_comment comment_{};
  vorbis_dsp_state dsp_{};
  vorbis_block block_{};
  ogg_stream_state stream_{};
  bool dspReady_ = false;
  bool blockReady_ = false;
  bool streamReady_ = false;
};

// Samples go to the encoder in blocks of this many.
constexpr int kFeedBlock = 4096;

}  // namespace

bool EncodeOggVorbis(const VorbisSource& source, std::string& out) {
  out.clear();
  if (source.samples.empty() || source.rate <= 0) return false;
  VorbisStream stream;
  if (!stream.Start(source, out)) {
    out.clear();
    return false;
  }
  const int total = static_cast<int>(source.samples.size());
  for (int at = 0; at < total; at += kFeedBlock) {
    stream.Feed(source.samples.data() + at, std::min(kFeedBlock, total - at), out);
  }
  stream.Feed(nullptr, 0, out);
  stream.Finish(out);
  return true;
}

}  // namespace platform
