#pragma once

#include <cstdint>
#include <string>

#include "core/checked_sequence.h"
#include "core/record_base.h"
#include "data/ed_command.h"
#include "data/ed_condition.h"

struct DataReadContext;

// One item: a palette entry or a placed item, with its graphic, appearance conditions, the way
// it is taken and the commands run on the taker.
class cEdItem : public cData {
 public:
  static constexpr int kInheritGroups = 13;

  cEdItem();
  cEdItem(const cEdItem&) = default;
  cEdItem& operator=(const cEdItem&) = default;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;
  // Back to the defaults of a new record.
  void Clear();

  void Validate(const DataReadContext& context);
  void ValidateSummons(const DataReadContext& context);
  void Inherit(const DataReadContext& context);

  std::uint8_t nPalSource = 0;
  std::int16_t nPalIndex = 0;
  std::uint8_t nCondRule = 0;
  std::uint8_t bCondOnce = 0;
  std::int16_t nOffsetX = 0;
  std::int16_t nOffsetY = 0;
  std::uint16_t nPicture = 0;
  std::uint8_t nGraphicKind = 0;
  std::uint16_t nPose = 0;
  std::uint8_t nLayer = 0;
  std::uint8_t bInvisible = 0;
  std::uint8_t bOverlay = 0;
  std::uint16_t nOverlayTile = 0;
  std::uint8_t bPopUp = 0;
  std::uint8_t nTakeMode = 0;  // 0 once, 1 any number of times, 2 never
  std::uint8_t nScale = 0;
  std::uint16_t nSound = 0;
  std::string strName;

  std::int16_t x = 0;
  std::int16_t y = 0;
  cVector<std::uint8_t> inheritFlags;
  cVector<cEdCondition> conditions;
  cVector<cEdCommand> commands;
};
