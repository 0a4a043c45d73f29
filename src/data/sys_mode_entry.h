#pragma once

#include <cstdint>

#include "core/record_base.h"

// Ranking kinds a play mode can keep, the index of a RankKinds flag.
enum RankKind : int {
  kRankScore = 0,
  kRankTimeLeft = 1,
  kRankClearTime = 2,
  kRankHpLeft = 3,
  kRankSpLeft = 4,
  kRankKindCount = 5,
};

// The ranking settings of one play mode.
class cSysModeEntry : public cData {
 public:
  // Five kinds, none kept.
  cSysModeEntry();
  cSysModeEntry(const cSysModeEntry&) = default;
  cSysModeEntry& operator=(const cSysModeEntry&) = default;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  std::int32_t bRanking = 0;     // rankings are recorded in this mode
  cVector<std::uint8_t> RankKinds;  // one flag per RankKind
};
