#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"

// A named media file of the project: pictures (Picture.dat), sound effects (Sound.dat) and
// music (Bgm.dat) share this layout. Only the file name is used by the game.
class cEdMediaFile : public cData {
 public:
  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;

  std::int32_t nEditor = 0;  // kept for the authoring tool
  std::string strName;
  std::string strFile;

 protected:
  cEdMediaFile();
  cEdMediaFile(const cEdMediaFile&) = default;
  cEdMediaFile& operator=(const cEdMediaFile&) = default;
};

// A picture that the picture command shows.
class cEdPicture : public cEdMediaFile {};
// A sound effect (a WAVE file); record n plays in sound slot n + 16.
class cEdSound : public cEdMediaFile {};
// A piece of music; music number 0 stops the music instead.
class cEdBgm : public cEdMediaFile {};
