// A character as the flow engine's one-call commands change it: vanishing, its flags, its
// picture, its animations and effects.
#include "core/report_log.h"
#include "data/database.h"
#include "world/chara_base.h"
#include "world/scene_play.h"

void cCharaBase::Disappear() {
  if (IsPlayerOperated()) {
    nHp = 0;
  } else {
    bKillRequest = 1;
  }
}

void cCharaBase::SetStatusFlag(int status, std::int32_t value) {
  const auto byte = static_cast<std::uint8_t>(value);
  switch (status) {
    case 1: Def.bTransparent = byte; break;
    case 2: Def.bFixedFacing = byte; break;
    case 3: ChangeFlight(value); break;
    case 4: Def.nInvincible = byte; break;
    case 5:
      SetScale(byte, Def.nGiant);
      Def.nGiant = byte;
      RebuildHitBoxes();
      break;
    case 6:
      Def.bFollowScroll = byte;
      bFollowScroll = byte;
      nScrollSync = byte;
      break;
    default: break;
  }
}

void cCharaBase::ChangeGraphic(int kind, int picture, int offset) {
  Def.nGraphicKind = static_cast<std::uint8_t>(kind);
  Def.nPicture = static_cast<std::uint16_t>(picture);
  nGraphic = picture;
  Def.nBaseColumn = static_cast<std::uint16_t>(offset);
}

void cCharaBase::StartAnime(int anime, int key) {
  AnimeEntry entry;
  entry.Player.m_Animes = AnimeStepTable{AnimeStepTables[anime]};
  entry.nKey = key;
  entry.Player.Set(0, 1);
  Animes.push_front(entry);
}

void cCharaBase::StartCharaEffect(int effect, int mode, int repeat) { Effect.Start(effect, mode, repeat); }
