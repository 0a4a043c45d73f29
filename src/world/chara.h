#pragma once

#include <cstdint>

#include "core/checked_sequence.h"
#include "world/chara_base.h"
#include "world/item_obj.h"

// A character placed on the stage other than the hero.
class cChara : public cCharaBase {
 public:
  cChara() = default;
  cChara(const cChara&) = default;
  cChara& operator=(const cChara&) = default;

  void ScaleBoxes(int scale) override;
  void UpdateBoxX() override;
  void UpdateBoxY() override;
  cItemObj* GetHeldItem() override { return HeldItem.nGraphic != 0 ? &HeldItem : nullptr; }
  // A computer-operated character is "inside the screen" while it is active.
  bool InsideScreen() const override { return IsPlayerOperated() ? IsOnScreen() : bActive != 0; }
  bool Active() const override { return bActive != 0; }
  int OnMovedX() override { return ClampX(2); }
  int OnMovedY() override { return ClampY(2); }
  int StepX() override;
  int StepY() override;
  int Act(int dyingOnly) override;
  void JumpStep(JumpCommandState& command) override;

  void Init(int number, cEdChara& placement, const cItemObj* heldItem, double startX, double startY, int groupIndex);
  void SetCell(int column, int row);
  int UpdateActivity(cVector<std::uint8_t>& switches);
  int TakesPart(const cVector<std::uint8_t>& switches);
  bool IsBlockChara() const { return Def.bBlockChara != 0; }

  std::int32_t bActive = 0;
  cItemObj HeldItem;
  std::int32_t nIconCounter = 0;
  std::int32_t bIgnoreX = 0, bIgnoreY = 0;
  std::int32_t bActivated = 0;
  std::int32_t bTakesPart = 0;
};
