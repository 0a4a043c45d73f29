#pragma once

#include <cstdint>
#include <string>

#include "core/checked_sequence.h"
#include "core/record_base.h"
#include "data/ed_condition.h"

struct DataReadContext;

// One block: a palette entry, a placed block, and (in cBlockCell) a cell of the play field.
class cEdBlock : public cData {
 public:
  static constexpr int kInheritGroups = 11;

  cEdBlock();
  cEdBlock(const cEdBlock&) = default;
  cEdBlock& operator=(const cEdBlock&) = default;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;

  void Validate(const DataReadContext& context);
  void ValidateItemRef(const DataReadContext& context);
  void Inherit(const DataReadContext& context);

  std::uint8_t nPalSource = 0;
  std::int16_t nPalIndex = 0;
  std::uint8_t nCondRule = 0;
  std::uint8_t bCondOnce = 0;
  std::uint16_t nPicture = 0;  // 0: the cell is empty
  std::uint8_t nGraphicKind = 0;
  std::uint16_t nPose = 0;
  std::uint8_t nLayer = 0;
  std::uint8_t bInvisible = 0;
  std::uint8_t bOverlay = 0;
  std::uint16_t nOverlayTile = 0;
  std::uint8_t nHitKind = 0;  // 0 passable, 1 solid, 2 deadly for players
  std::uint8_t nPassGroup = 0;
  std::uint8_t nBlockEffect = 0;
  std::int32_t nBlockEffectValue = 0;
  std::uint8_t nItemSource = 0;
  std::int16_t nItemIndex = 0;
  std::uint8_t bProtected = 0;
  std::string strName;

  std::int16_t x = 0;
  std::int16_t y = 0;
  cVector<std::uint8_t> inheritFlags;
  cVector<cEdCondition> conditions;
};
