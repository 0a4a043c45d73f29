#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/record_base.h"

// The player's options, kept in user_data\Option.dat: the 8-bit display's palette, whether
// music plays, the sound-effect volume step, how a clear registers in the rankings and the
// name the fixed-name modes register.
class cOptionData : public cData {
 public:
  cOptionData();
  cOptionData(const cOptionData&) = default;
  cOptionData& operator=(const cOptionData&) = default;

  void RegisterFields(std::int32_t version) override;
  // The record base's read, each setting then brought into its range (the file is left as it
  // is): a setting from elsewhere never indexes past a table.
  bool Read(RecordReader& in) override;

  std::int32_t m_nPalette = 0;     // 0-23
  std::int32_t m_bBgm = 1;         // 1: music plays
  std::int32_t m_nSeVolume = 7;    // 0 (silent) to 10 (full)
  std::int32_t m_nRankMode = 0;    // kRankMode*
  std::string m_strFixedName = "aaa";
};

// How a stage clear enters the rankings: on F3 or on leaving the clear display, under a name
// typed in the ranking-name dialog or the fixed name.
enum : std::int32_t {
  kRankModeKeyTyped = 0,
  kRankModeKeyFixed = 1,
  kRankModeLeaveTyped = 2,
  kRankModeLeaveFixed = 3,
};

// The options as read at start-up, or the defaults.
extern cOptionData OptionData;

// Reads the file into a fresh record and takes it only when the whole file read; false (the
// live options untouched) when it is missing or broken.
bool LoadOptionData(cOptionData& options, std::string_view path);
