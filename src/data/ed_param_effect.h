#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/record_base.h"

// A parameterised effect: a kind (0 none) and five parameters whose meaning depends on it.
// Character effects (CharaEffect.dat) change how one character is drawn, screen effects
// (ScrEffect.dat) the whole screen; both share this layout.
class cEdParamEffect : public cData {
 public:
  static constexpr int kParamCount = 5;

  void RegisterFields(std::int32_t version) override;

  std::int32_t nKind = 0;
  std::int32_t nParam[kParamCount] = {};
  std::string strName;

 protected:
  // A new effect is of kind 1.
  cEdParamEffect();
  cEdParamEffect(const cEdParamEffect&) = default;
  cEdParamEffect& operator=(const cEdParamEffect&) = default;

  // A parameter of one kind that old files leave at 0: they get the default of its row.
  struct ParamFixUp {
    std::int32_t kind;
    int param;  // 0-based
    std::int32_t value;
  };
  template <std::size_t N>
  bool ReadWithFixUps(RecordReader& in, const ParamFixUp (&fixUps)[N]) {
    if (!cData::Read(in)) return false;
    if (in.Version() <= kParamFixUpsUpTo) {
      for (const ParamFixUp& fix : fixUps) {
        if (nKind == fix.kind) nParam[fix.param] = fix.value;
      }
    }
    return true;
  }

 private:
  static constexpr std::int32_t kParamFixUpsUpTo = 510;
};

class cEdCharaEffect : public cEdParamEffect {
 public:
  cEdCharaEffect() = default;
  cEdCharaEffect(const cEdCharaEffect&) = default;
  cEdCharaEffect& operator=(const cEdCharaEffect&) = default;

  bool Read(RecordReader& in) override;
};

class cEdScrEffect : public cEdParamEffect {
 public:
  cEdScrEffect() = default;
  cEdScrEffect(const cEdScrEffect&) = default;
  cEdScrEffect& operator=(const cEdScrEffect&) = default;

  bool Read(RecordReader& in) override;
};
