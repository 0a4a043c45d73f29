#pragma once

#include <cstdint>
#include <string>

#include "core/checked_sequence.h"
#include "core/record_base.h"
#include "data/ed_condition.h"
#include "data/ed_flow.h"

struct DataReadContext;

// One character: a palette entry or a placed character, with its graphic, physical and combat
// settings, appearance conditions and its behaviour as flows.
class cEdChara : public cData {
 public:
  static constexpr int kInheritGroups = 37;

  cEdChara();
  cEdChara(const cEdChara&) = default;
  cEdChara& operator=(const cEdChara&) = default;

  void RegisterFields(std::int32_t version) override;
  bool Read(RecordReader& in) override;
  void Write(RecordWriter& out) override;
  // Back to the defaults of a new record.
  void Clear();

  // The fix-ups of files older than the current layout.
  void Migrate(std::int32_t version);
  void Validate(const DataReadContext& context);
  void ValidateSummons(const DataReadContext& context);
  void Inherit(const DataReadContext& context);

  // Offset of copy i of a multiple placement for a character of that facing.
  int CopyOffsetX(int copy, int facing) const;
  int CopyOffsetY(int copy, int facing) const;

  std::uint8_t nPalSource = 0;
  std::int16_t nPalIndex = 0;
  std::uint8_t nCondRule = 0;
  std::uint8_t bCondOnce = 0;
  std::uint8_t nFacing = 0;  // 1 right, 0 left
  std::int8_t nCopies = 0;   // copies beyond the first
  std::int16_t nCopyX = 0;
  std::int16_t nCopyXStep = 0;
  std::int16_t nCopyY = 0;
  std::int16_t nCopyYStep = 0;
  std::uint8_t bCopyMirrorX = 0;
  std::uint8_t bCopyMirrorY = 0;
  std::uint16_t nPicture = 0;  // 0: an empty placement
  std::uint8_t nGraphicKind = 0;
  std::uint16_t nBaseColumn = 0;
  std::uint16_t nAnimeSet = 0;
  std::uint8_t nZ = 0;
  std::uint8_t bTransparent = 0;
  std::uint16_t nStartEffect = 0;
  std::int8_t nStartEffectParam1 = 0;
  std::uint8_t nStartEffectParam2 = 0;
  std::uint16_t nDeathEffect = 0;
  std::uint8_t nDeathEffectParam = 0;
  std::uint8_t bOverlay = 0;
  std::uint16_t nOverlayTile = 0;
  std::uint8_t nOperator = 0;  // 0 player, 1 computer
  std::uint8_t nPlayer = 0;
  std::uint8_t nGroup = 0;
  std::uint8_t nCharaId = 0;
  std::uint8_t nFlight = 0;
  std::uint8_t bFixedFacing = 0;
  std::uint8_t nInvincible = 0;
  std::uint8_t nTint = 0;
  std::uint8_t bBlockChara = 0;
  std::uint8_t nGiant = 0;
  std::uint8_t bFollowScroll = 0;
  std::uint8_t nDarkness = 0;
  std::uint8_t nSight = 0;
  std::int32_t nMaxHp = 0;
  std::int32_t nMaxSp = 0;
  std::uint16_t nStopEase = 0;
  std::uint8_t nBodyBox = 0;
  std::int32_t nPower = 0;
  std::int8_t nImpact = 0;
  std::uint16_t nHitEffect = 0;
  std::int32_t nDefence = 0;
  std::uint8_t nImpactResist = 0;
  std::int32_t nScore = 0;
  std::uint8_t nEditorSetting = 0;  // the authoring tool's; the runtime never reads it
  std::uint8_t bActivation = 0;
  std::uint16_t nActivationSwitch = 0;
  std::uint8_t nActivityRange = 0;
  std::uint8_t bStayActive = 0;
  std::string strName;

  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int32_t nHeldItem = 0;  // index into the stage's item placements; -1 none
  cVector<std::uint8_t> inheritFlags;
  cVector<cEdCondition> conditions;
  cVector<cEdFlow> flows;
};
