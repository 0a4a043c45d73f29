#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A standard MIDI file read whole, checked and converted into one merged format-0 image: every
// track's events on one time line, each with its own status byte, ending in FF 2F 00 at the
// song's end. The image's events start at offset 22.
class cSmf {
 public:
  cSmf() = default;
  explicit cSmf(const std::string& file);
  virtual ~cSmf();
  cSmf(const cSmf&) = delete;
  cSmf& operator=(const cSmf&) = delete;

  // A game path; each refusal is logged with the file's name.
  void LoadFile(const std::string& file);
  // The same for a file's bytes already in memory; `name` stands for the file in the log.
  void LoadBytes(const std::string& name, std::span<const std::uint8_t> data);
  // The header checks, then Convert; nothing when refused.
  std::optional<std::vector<std::uint8_t>> Check(std::span<const std::uint8_t> data);
  std::optional<std::vector<std::uint8_t>> Convert(std::span<const std::uint8_t> data);

  bool HasImage() const { return m_pImage.has_value(); }
  const std::vector<std::uint8_t>& Image() const { return *m_pImage; }
  const std::string& FileName() const { return m_strFile; }

  // Bytes read (1-4), 0 when no byte of the first four (or of `size`) ends the number.
  static int ReadVarLen(const std::uint8_t* data, std::size_t size, std::uint32_t& value);
  // Bytes written (1-4), 0 and nothing written for values from 0x10000000.
  static int WriteVarLen(std::uint8_t* out, std::uint32_t value);

  static constexpr std::size_t kImageHead = 22;

 protected:
  struct Event {
    std::uint64_t time;
    std::uint32_t track;
    std::uint8_t status;
    std::vector<std::uint8_t> data;
  };
  struct Tracks {
    std::vector<std::vector<Event>> lists;
    std::uint64_t endTime = 0;
  };
  // Why a file is refused: the number the log line carries, 0 for none.
  int ReadTracks(std::span<const std::uint8_t> data, Tracks& tracks);
  static std::vector<Event> MergeTracks(Tracks& tracks);
  // 0 when the events fit the image; otherwise the refusal's number.
  int WriteImage(std::span<const std::uint8_t> data, const std::vector<Event>& events, std::uint64_t endTime,
                 std::vector<std::uint8_t>& image);
  void Refuse(int number);

  std::optional<std::vector<std::uint8_t>> m_pImage;
  std::string m_strFile;
};

// The refusals' numbers beyond the header's own (4 and 6).
namespace smf_refusal {
inline constexpr int kTooShort = 7;        // under 22 bytes
inline constexpr int kNoTracks = 8;        // a track count of 0
inline constexpr int kChunkPastEnd = 9;    // a chunk that runs past the file's end, or too few tracks
inline constexpr int kNoEndOfTrack = 10;   // a track whose events run out before FF 2F 00
inline constexpr int kLongQuantity = 11;   // a variable-length quantity of more than four bytes
// A time step of 0x10000000 ticks or more. Merging cannot make one (each step of the merged
// line is at most one of its own track's steps), so this guards the writer only.
inline constexpr int kHugeDelta = 12;
inline constexpr int kNoStatus = 13;       // a data byte where no running status applies
}  // namespace smf_refusal
