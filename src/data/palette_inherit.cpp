// The inheritance step of the three definition kinds: each property group whose flag is set is
// copied from the referenced palette entry.
#include "data/ed_block.h"
#include "data/ed_chara.h"
#include "data/ed_item.h"
#include "data/palette_reference.h"

namespace {

const InheritCopier<cEdBlock> kBlockCopiers[cEdBlock::kInheritGroups] = {
    InheritName<cEdBlock>,
    InheritConditions<cEdBlock>,
    [](cEdBlock& r, const cEdBlock& d) {
      r.nGraphicKind = d.nGraphicKind;
      r.nPicture = d.nPicture;
      r.nPose = d.nPose;
    },
    [](cEdBlock& r, const cEdBlock& d) { r.nLayer = d.nLayer; },
    [](cEdBlock& r, const cEdBlock& d) { r.bInvisible = d.bInvisible; },
    [](cEdBlock& r, const cEdBlock& d) {
      r.bOverlay = d.bOverlay;
      r.nOverlayTile = d.nOverlayTile;
    },
    [](cEdBlock& r, const cEdBlock& d) { r.nHitKind = d.nHitKind; },
    [](cEdBlock& r, const cEdBlock& d) { r.nPassGroup = d.nPassGroup; },
    [](cEdBlock& r, const cEdBlock& d) {
      r.nBlockEffect = d.nBlockEffect;
      r.nBlockEffectValue = d.nBlockEffectValue;
    },
    [](cEdBlock& r, const cEdBlock& d) {
      r.nItemSource = d.nItemSource;
      r.nItemIndex = d.nItemIndex;
    },
    [](cEdBlock& r, const cEdBlock& d) { r.bProtected = d.bProtected; },
};

const InheritCopier<cEdChara> kCharaCopiers[cEdChara::kInheritGroups] = {
    InheritName<cEdChara>,
    [](cEdChara& r, const cEdChara& d) {
      r.nOperator = d.nOperator;
      r.nPlayer = d.nPlayer;
    },
    [](cEdChara& r, const cEdChara& d) { r.nGroup = d.nGroup; },
    [](cEdChara& r, const cEdChara& d) { r.nCharaId = d.nCharaId; },
    InheritConditions<cEdChara>,
    [](cEdChara& r, const cEdChara& d) { r.nFacing = d.nFacing; },
    [](cEdChara& r, const cEdChara& d) { r.nCopies = d.nCopies; },
    [](cEdChara& r, const cEdChara& d) {
      r.nCopyX = d.nCopyX;
      r.nCopyXStep = d.nCopyXStep;
      r.bCopyMirrorX = d.bCopyMirrorX;
    },
    [](cEdChara& r, const cEdChara& d) {
      r.nCopyY = d.nCopyY;
      r.nCopyYStep = d.nCopyYStep;
      r.bCopyMirrorY = d.bCopyMirrorY;
    },
    [](cEdChara& r, const cEdChara& d) {
      r.nGraphicKind = d.nGraphicKind;
      r.nPicture = d.nPicture;
      r.nBaseColumn = d.nBaseColumn;
    },
    [](cEdChara& r, const cEdChara& d) { r.nAnimeSet = d.nAnimeSet; },
    [](cEdChara& r, const cEdChara& d) { r.nZ = d.nZ; },
    [](cEdChara& r, const cEdChara& d) { r.bTransparent = d.bTransparent; },
    [](cEdChara& r, const cEdChara& d) {
      r.nStartEffect = d.nStartEffect;
      r.nStartEffectParam1 = d.nStartEffectParam1;
      r.nStartEffectParam2 = d.nStartEffectParam2;
    },
    [](cEdChara& r, const cEdChara& d) {
      r.nDeathEffect = d.nDeathEffect;
      r.nDeathEffectParam = d.nDeathEffectParam;
    },
    [](cEdChara& r, const cEdChara& d) {
      r.bOverlay = d.bOverlay;
      r.nOverlayTile = d.nOverlayTile;
    },
    [](cEdChara& r, const cEdChara& d) { r.bFixedFacing = d.bFixedFacing; },
    [](cEdChara& r, const cEdChara& d) { r.nFlight = d.nFlight; },
    [](cEdChara& r, const cEdChara& d) {
      r.nInvincible = d.nInvincible;
      r.nTint = d.nTint;
    },
    [](cEdChara& r, const cEdChara& d) { r.bBlockChara = d.bBlockChara; },
    [](cEdChara& r, const cEdChara& d) { r.nGiant = d.nGiant; },
    [](cEdChara& r, const cEdChara& d) { r.bFollowScroll = d.bFollowScroll; },
    [](cEdChara& r, const cEdChara& d) {
      r.nDarkness = d.nDarkness;
      r.nSight = d.nSight;
    },
    [](cEdChara& r, const cEdChara& d) { r.nMaxHp = d.nMaxHp; },
    [](cEdChara& r, const cEdChara& d) { r.nMaxSp = d.nMaxSp; },
    [](cEdChara& r, const cEdChara& d) { r.nBodyBox = d.nBodyBox; },
    [](cEdChara& r, const cEdChara& d) { r.nPower = d.nPower; },
    [](cEdChara& r, const cEdChara& d) { r.nImpact = d.nImpact; },
    [](cEdChara& r, const cEdChara& d) { r.nHitEffect = d.nHitEffect; },
    [](cEdChara& r, const cEdChara& d) { r.nDefence = d.nDefence; },
    [](cEdChara& r, const cEdChara& d) { r.nImpactResist = d.nImpactResist; },
    [](cEdChara& r, const cEdChara& d) { r.nStopEase = d.nStopEase; },
    [](cEdChara& r, const cEdChara& d) {
      r.nActivityRange = d.nActivityRange;
      r.bStayActive = d.bStayActive;
    },
    [](cEdChara& r, const cEdChara& d) {
      r.nActivationSwitch = d.nActivationSwitch;
      r.bActivation = d.bActivation;
    },
    [](cEdChara& r, const cEdChara& d) { r.nScore = d.nScore; },
    [](cEdChara& r, const cEdChara& d) { r.nEditorSetting = d.nEditorSetting; },
    // A character that inherits its flows always has at least one.
    [](cEdChara& r, const cEdChara& d) {
      if (&r != &d) r.flows = d.flows;
      if (r.flows.empty()) r.flows.push_back(cEdFlow());
    },
};

const InheritCopier<cEdItem> kItemCopiers[cEdItem::kInheritGroups] = {
    InheritName<cEdItem>,
    InheritConditions<cEdItem>,
    [](cEdItem& r, const cEdItem& d) { r.nOffsetX = d.nOffsetX; },
    [](cEdItem& r, const cEdItem& d) { r.nOffsetY = d.nOffsetY; },
    [](cEdItem& r, const cEdItem& d) {
      r.nGraphicKind = d.nGraphicKind;
      r.nPicture = d.nPicture;
      r.nPose = d.nPose;
    },
    [](cEdItem& r, const cEdItem& d) { r.nLayer = d.nLayer; },
    [](cEdItem& r, const cEdItem& d) { r.bInvisible = d.bInvisible; },
    [](cEdItem& r, const cEdItem& d) {
      r.bOverlay = d.bOverlay;
      r.nOverlayTile = d.nOverlayTile;
    },
    [](cEdItem& r, const cEdItem& d) { r.nScale = d.nScale; },
    [](cEdItem& r, const cEdItem& d) { r.nTakeMode = d.nTakeMode; },
    [](cEdItem& r, const cEdItem& d) { r.bPopUp = d.bPopUp; },
    [](cEdItem& r, const cEdItem& d) { r.nSound = d.nSound; },
    [](cEdItem& r, const cEdItem& d) {
      if (&r != &d) r.commands = d.commands;
    },
};

}  // namespace

void cEdBlock::Inherit(const DataReadContext& context) {
  const cEdBlock* donor = InheritDonor(*this, &PaletteLists::Block, context);
  if (donor) RunInheritCopiers(*this, *donor, kBlockCopiers);
}

void cEdChara::Inherit(const DataReadContext& context) {
  const cEdChara* donor = InheritDonor(*this, &PaletteLists::Chara, context);
  if (donor) RunInheritCopiers(*this, *donor, kCharaCopiers);
}

void cEdItem::Inherit(const DataReadContext& context) {
  const cEdItem* donor = InheritDonor(*this, &PaletteLists::Item, context);
  if (donor) RunInheritCopiers(*this, *donor, kItemCopiers);
}
