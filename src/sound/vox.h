#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// One Ogg player object with the six operations the music manager uses of the Ogg library.
class cVoxObject {
 public:
  virtual ~cVoxObject() = default;
  // A game path; false when the file cannot be opened as Ogg Vorbis.
  virtual bool Load(const char* path) = 0;
  virtual void Play() = 0;
  virtual void Stop() = 0;
  // Called before every Load.
  virtual void Close() = 0;
  // kVoxEndless repeats endlessly, 0 plays once.
  virtual void SetLoop(std::int32_t count) = 0;
  // Ends the object's playing for good; the object is destroyed after it.
  virtual void Delete() = 0;
};

inline constexpr std::int32_t kVoxEndless = 0x7FFFFFFF;

// The library's entry that makes player objects; nullptr when no library can be had.
using VoxFactory = std::unique_ptr<cVoxObject> (*)();
// Tests put their own in place (nullptr: the library is missing); ResetVoxFactory puts the
// program's own back: players over the platform's Ogg player.
void SetVoxFactory(VoxFactory factory);
void ResetVoxFactory();

// The Ogg players, one per channel.
class cVox {
 public:
  cVox() = default;
  ~cVox();
  cVox(const cVox&) = delete;
  cVox& operator=(const cVox&) = delete;

  // 0 when the library is missing (after the error box "oggの初期化に失敗！").
  int Init();
  int SetChannels(std::int32_t n);
  int Play(std::int32_t index, const char* path, bool loop);
  void Stop();
  void Release();

  int Current() const { return m_nCur; }
  int Count() const { return m_nVox; }

 private:
  std::vector<std::unique_ptr<cVoxObject>> m_ppVox;
  std::int32_t m_nVox = 0;
  std::int32_t m_nCur = -1;
  VoxFactory m_pCreateVox = nullptr;
};
