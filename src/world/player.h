#pragma once

#include <cstdint>

#include "data/ed_command.h"
#include "world/chara_base.h"

struct DDSURFACEDATA;

// The hero's part that the collisions and block effects read and write; input, jumps,
// flight changes and the camera's other duties come with the hero.
// One box of the hit-box display.
struct HitBoxListEntry {
  std::int32_t nKind = 0;  // 0 size, 1 body, 2 item, 3 attack
  std::int32_t nMode = 0;  // 0 off, 1 frame, 2 filled
  std::int32_t nColour = 0;
  std::int32_t nLeft = 0, nTop = 0;
  std::int32_t nWidth = 0, nHeight = 0;
  std::int32_t nCycle = 0;
};

class cPlayer : public cCharaBase {
 public:
  cPlayer() = default;
  cPlayer(const cPlayer&) = default;
  cPlayer& operator=(const cPlayer&) = default;

  int OnMovedX() override;
  int OnMovedY() override;
  int StepX() override;
  int StepY() override;
  int Act(int dyingOnly) override;
  void JumpStep(JumpCommandState& command) override;
  int UpdateScreenRect() override;

  void Init(int number, const cEdChara& def, double startX, double startY);
  void RememberRide() { nPrevLandCell = nLandCell; }
  void RememberFacing() { nPrevFacing = nFacing; }
  // Walking (0) or one of the three flight kinds; scaleToo applies the giant scale to the
  // new sizes.
  void SetFlightMode(int mode, int scaleToo);
  void BuildHitBoxList();
  void ChangeFlight(int mode) override { SetFlightMode(mode, 1); }
  void RebuildHitBoxes() override { BuildHitBoxList(); }
  void DrawHitBoxes(DDSURFACEDATA* target);
  // The darkness picture's window over the screen, for a definition with darkness.
  void DrawDarkness(DDSURFACEDATA* target, DDSURFACEDATA* darkness);
  void ApplyQueuedFlowChanges() override;
  cVector<cVector<std::int32_t>>* ItemArranges() override { return &ItemArrange; }

  // Items: the command list run on the hero (0 ran to its end, 2 HP gone, else the first
  // stopping handler's result), and the touched list of the items taken again and again.
  int RunItemCommands(const cVector<cEdCommand>& commands);
  int IsItemTouched(int number) const { return TouchedItems.Contains(number) ? 0 : 1; }
  void ForgetTouchedItem(int number) { TouchedItems.RemoveValue(number); }
  // The picture of a taken item rising over the hero.
  void ShowTakenItem(int graphicKind, int picture, int pose);
  WorldBox ItemBoxOf() const { return WorldBox{ItemBox.left, ItemBox.top, ItemBox.right, ItemBox.bottom}; }

  std::int32_t bJumpReady = 1;
  std::int32_t nJumpHold = 0;
  std::int32_t bJumpCut = 0;
  std::int32_t nBlockEffect = 0;
  double dBlockFactor = 0;
  std::int32_t nBlockEffectLeft = 0;
  std::int32_t nBlockEventCooldown = 0;
  std::int32_t nInput = 0;  // index of the hero's record in the players' inputs
  std::int32_t bJumpStepped = 0;
  std::int32_t nPrevFacing = 0;
  std::int32_t nFrameCount = 0;
  double dFactorStep = 4;
  cVector<HitBoxListEntry> HitBoxes;
  HitBox ItemBox;
  cVector<std::int32_t> TouchedItems;
  cVector<cEdCommand> QueuedFlowChanges;
  cVector<cVector<std::int32_t>> ItemArrange;
};

// Item command kind 1 on a character: queued while the hero's own flows are being stepped,
// else applied by its first parameter (0 install, 1 replace the flows of an ID, 2 remove them).
void ItemFlowChange(cCharaBase& chara, const cEdCommand& command, bool queued);
