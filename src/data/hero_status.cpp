#include "data/hero_status.h"

#include <array>

cSaveChara::cSaveChara() {
  RegisterFields(CurrentVersion);
  Clear();
}

void cSaveChara::RegisterFields(std::int32_t /*version*/) {
  ResetFieldLists();
  AddInt(&m_nHp);
  AddInt(&m_nSp);
  AddInt(&m_nTime);
  AddInt(&m_nLivesKept);
  AddInt(&m_nBgmKept);
}

bool cSaveChara::Read(RecordReader& in) { return cData::Read(in) && m_Chara.Read(in); }

void cSaveChara::Write(RecordWriter& out) {
  cData::Write(out);
  m_Chara.Write(out);
}

namespace {

// The definition's properties of a group, copied the same way in both directions.
using Copy = void (*)(const cEdChara& from, cEdChara& to);

constexpr std::array<Copy, kHeroStatusGroups> kDefinitionGroups = {{
    [](const cEdChara& f, cEdChara& t) {
      t.nGraphicKind = f.nGraphicKind;
      t.nPicture = f.nPicture;
      t.nBaseColumn = f.nBaseColumn;
    },
    [](const cEdChara& f, cEdChara& t) { t.nAnimeSet = f.nAnimeSet; },
    [](const cEdChara& f, cEdChara& t) { t.nZ = f.nZ; },
    [](const cEdChara& f, cEdChara& t) { t.bTransparent = f.bTransparent; },
    [](const cEdChara& f, cEdChara& t) {
      t.nStartEffect = f.nStartEffect;
      t.nStartEffectParam1 = f.nStartEffectParam1;
      t.nStartEffectParam2 = f.nStartEffectParam2;
    },
    [](const cEdChara& f, cEdChara& t) { t.bFixedFacing = f.bFixedFacing; },
    [](const cEdChara& f, cEdChara& t) { t.nFlight = f.nFlight; },
    [](const cEdChara& f, cEdChara& t) { t.nInvincible = f.nInvincible; },
    [](const cEdChara& f, cEdChara& t) { t.nGiant = f.nGiant; },
    [](const cEdChara& f, cEdChara& t) { t.bFollowScroll = f.bFollowScroll; },
    [](const cEdChara& f, cEdChara& t) {
      t.nDarkness = f.nDarkness;
      t.nSight = f.nSight;
    },
    nullptr,  // HP
    nullptr,  // SP
    [](const cEdChara& f, cEdChara& t) { t.nMaxHp = f.nMaxHp; },
    [](const cEdChara& f, cEdChara& t) { t.nMaxSp = f.nMaxSp; },
    [](const cEdChara& f, cEdChara& t) { t.nBodyBox = f.nBodyBox; },
    [](const cEdChara& f, cEdChara& t) { t.nPower = f.nPower; },
    [](const cEdChara& f, cEdChara& t) { t.nImpact = f.nImpact; },
    [](const cEdChara& f, cEdChara& t) { t.nDefence = f.nDefence; },
    [](const cEdChara& f, cEdChara& t) { t.nImpactResist = f.nImpactResist; },
    [](const cEdChara& f, cEdChara& t) { t.nStopEase = f.nStopEase; },
    [](const cEdChara& f, cEdChara& t) { t.flows = f.flows; },
    nullptr,  // time left
    nullptr,  // lives
    nullptr,  // music
}};

constexpr int kCarryEffect = 4;

}  // namespace

void StoreHeroGroup(int group, const HeroStatusValues& from, cSaveChara& to) {
  switch (group) {
    case kCarryEffect:
      // The effect running on the hero, not the one its definition starts with.
      to.m_Chara.nStartEffect = from.effect;
      to.m_Chara.nStartEffectParam1 = static_cast<std::int8_t>(from.effectParam1);
      to.m_Chara.nStartEffectParam2 = from.effectParam2;
      return;
    case kCarryHp: to.m_nHp = from.hp; return;
    case kCarrySp: to.m_nSp = from.sp; return;
    case kCarryTime: to.m_nTime = from.timeLeft; return;
    case kCarryLives: to.m_nLivesKept = from.lives; return;
    case kCarryMusic: to.m_nBgmKept = from.music; return;
    default: break;
  }
  if (group >= 0 && group < kHeroStatusGroups && kDefinitionGroups[group] != nullptr) {
    kDefinitionGroups[group](from.definition, to.m_Chara);
  }
}

void ApplyHeroGroup(int group, const cSaveChara& from, cEdChara& definition, std::int32_t& timeLimit,
                    std::int32_t& music, std::int32_t& lives) {
  switch (group) {
    case kCarryHp:
    case kCarrySp: return;
    case kCarryTime: timeLimit = from.m_nTime; return;
    case kCarryLives: lives = from.m_nLivesKept; return;
    case kCarryMusic: music = from.m_nBgmKept; return;
    default: break;
  }
  if (group < 0 || group >= kHeroStatusGroups || kDefinitionGroups[group] == nullptr) return;
  kDefinitionGroups[group](from.m_Chara, definition);
  // A hero is never drawn from picture 0.
  if (group == 0 && definition.nPicture == 0) definition.nPicture = 1;
}
