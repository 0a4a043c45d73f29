#pragma once

#include <cstdint>
#include <string>

#include "core/record_base.h"

// One background layer of a stage: a picture that scrolls with the camera (or by itself), or
// a plain fill with one palette colour.
class cEdBackground : public cData {
 public:
  static constexpr std::int32_t kDefaultFillColor = 16;
  static constexpr double kDefaultScrollFactor = 0.1;

  cEdBackground();
  cEdBackground(const cEdBackground&) = default;
  cEdBackground& operator=(const cEdBackground&) = default;

  void RegisterFields(std::int32_t version) override;
  // A scroll factor or position that is not a finite number takes its default.
  bool Read(RecordReader& in) override;
  // Back to the defaults: visible, fill colour 16, scroll factors 0.1.
  void Clear();

  std::int32_t bVisible = 0;
  std::int32_t bFill = 0;
  std::int32_t nFillColor = 0;  // palette index
  std::int32_t nDrawKey = 0;    // drawn in the background pass of this key
  double dScrollX = 0.0;        // picture movement per camera pixel, or per frame when self-scrolling
  double dScrollY = 0.0;
  std::int32_t bSelfScrollX = 0;
  std::int32_t bSelfScrollY = 0;
  double dSelfScrollPosX = 0.0;  // run time, zeroed at stage set-up
  double dSelfScrollPosY = 0.0;
  std::string strPicture;

 private:
  // Old layouts held two 4-byte values where the scroll factors (before 61) or the self-scroll
  // positions (61 itself) now lie; they are read here and dropped.
  std::int32_t m_Dropped[2] = {0, 0};
};

// A stage's list of these: a count, then each record over a new default one.
bool ReadBackgroundList(cVector<cEdBackground>& list, RecordReader& in);
