#include <initializer_list>
#include <string>
#include <utility>

#include "make_sample_game/chara_pictures.h"
#include "make_sample_game/sample_records.h"
#include "make_sample_game/sound_effects.h"
#include "make_sample_game/tunes.h"

namespace sample {

namespace {

cEdAnime Anime(const char* name, std::initializer_list<std::pair<int, int>> frames) {
  cEdAnime anime;
  anime.strName = name;
  anime.Frames.clear();
  for (const auto& [cell, tenths] : frames) {
    cEdAnimeFrame frame;
    frame.nCell = cell;
    frame.nDuration = tenths;
    anime.Frames.push_back(frame);
  }
  return anime;
}

cEdAnimeSet AnimeSet(const char* name, std::initializer_list<cEdAnime> motions) {
  cEdAnimeSet set;
  set.strName = name;
  set.nInvincibleOffset = 4;
  set.nBlockOffset = 8;
  set.nFlyingOffset = 0;
  set.Motions.clear();
  for (const cEdAnime& m : motions) set.Motions.push_back(m);
  return set;
}

void BuildAnimeSets(cDatabase& db) {
  using namespace charapic;
  // The standard motions keep their names; the hero's set adds jump, hurt, shoot and cheer.
  db.AnimeSets.clear();
  db.AnimeSets.push_back(AnimeSet("Hero", {
      Anime("立ち", {{kPoseStand, 1}}),
      Anime("立ち移動", {{kPoseWalkA, 1}, {kPoseStand, 1}, {kPoseWalkB, 1}, {kPoseStand, 1}}),
      Anime("飛行", {{kPoseJump, 1}}),
      Anime("飛行移動", {{kPoseJump, 1}}),
      Anime("Jump", {{kPoseJump, 1}}),
      Anime("Hurt", {{kPoseHurt, 1}}),
      Anime("Shoot", {{kPoseShoot, 2}, {kPoseStand, 1}}),
      Anime("Cheer", {{kPoseCheer, 3}, {kPoseStand, 3}}),
  }));
  db.AnimeSets.push_back(AnimeSet("Walker", {
      Anime("立ち", {{kPoseMoveA, 4}, {kPoseMoveB, 4}}),
      Anime("立ち移動", {{kPoseMoveA, 2}, {kPoseMoveB, 2}}),
      Anime("飛行", {{kPoseMoveA, 2}, {kPoseMoveB, 2}}),
      Anime("飛行移動", {{kPoseMoveA, 2}, {kPoseMoveB, 2}}),
      Anime("Action", {{kPoseAction, 3}}),
      Anime("Ouch", {{kPoseOuch, 2}}),
  }));
  db.AnimeSets.push_back(AnimeSet("Flyer", {
      Anime("立ち", {{kPoseMoveA, 1}, {kPoseMoveB, 1}}),
      Anime("立ち移動", {{kPoseMoveA, 1}, {kPoseMoveB, 1}}),
      Anime("飛行", {{kPoseMoveA, 1}, {kPoseMoveB, 1}}),
      Anime("飛行移動", {{kPoseMoveA, 1}, {kPoseMoveB, 1}}),
      Anime("Action", {{kPoseAction, 2}}),
      Anime("Ouch", {{kPoseOuch, 2}}),
  }));
  db.AnimeSets.push_back(AnimeSet("Still", {
      Anime("立ち", {{kPoseMoveA, 1}}),
      Anime("立ち移動", {{kPoseMoveA, 1}}),
      Anime("飛行", {{kPoseMoveA, 1}}),
      Anime("飛行移動", {{kPoseMoveA, 1}}),
      Anime("Action", {{kPoseAction, 2}, {kPoseMoveA, 1}}),
      Anime("Ouch", {{kPoseOuch, 2}}),
  }));
}

void BuildAnimes(cDatabase& db) {
  using namespace charapic;
  db.Animes.clear();
  db.Animes.push_back(Anime("なし", {{0, 1}}));
  db.Animes.push_back(Anime("アクションA", {{0, 1}}));
  db.Animes.push_back(Anime("Blink", {{0, 1}, {1, 1}}));
  cEdAnime held = Anime("Pose", {{2, 2}, {3, 4}});
  held.Frames[1].bHold = 1;  // holds its last picture against other requests
  db.Animes.push_back(held);
  // Cells count from a character's base column: the hero's jump and throw, a sentry firing.
  db.Animes.push_back(Anime("Hero jump", {{kPoseJump, 6}}));
  db.Animes.push_back(Anime("Hero throw", {{kPoseShoot, 2}}));
  db.Animes.push_back(Anime("Fire", {{kPoseAction, 3}}));
}

void BuildSwordTypes(cDatabase& db) {
  cEdSwordType sword;
  sword.strName = "Feather Blade";
  sword.strBitmapLeft = "bmp\\Sword_L.bmp";
  sword.strBitmapRight = "bmp\\Sword_R.bmp";
  cEdSwordPart& part = sword.Parts[0];
  part.nOffsetX = -24;
  part.nOffsetY = 8;
  part.nRectX = 0;
  part.nRectY = 0;
  part.nRectWidth = 32;
  part.nRectHeight = 16;
  part.nDuration = 2;
  db.SwordTypes.clear();
  db.SwordTypes.push_back(sword);
}

cEdEffect Effect(const char* name, const char* bitmap, int frames) {
  cEdEffect effect;
  effect.strName = name;
  effect.strBitmap = bitmap;
  effect.nCellWidth = 32;
  effect.nCellHeight = 32;
  effect.bScalable = 1;
  for (int i = 0; i < frames; ++i) {
    cEdEffectFrame frame;
    frame.nCell = i;
    frame.nDuration = 1;
    effect.Frames.push_back(frame);
  }
  return effect;
}

template <typename T>
T ParamEffect(const char* name, std::int32_t kind, std::initializer_list<std::int32_t> params) {
  T effect;
  effect.strName = name;
  effect.nKind = kind;
  int i = 0;
  for (std::int32_t p : params) effect.nParam[i++] = p;
  return effect;
}

template <typename T>
T MediaFile(const char* name, const std::string& file) {
  T record;
  record.strName = name;
  record.strFile = file;
  return record;
}

}  // namespace

void BuildDatabase(cDatabase& db) {
  db.SetDefaults();
  BuildAnimeSets(db);
  BuildAnimes(db);
  // Only the "none" entry: no character has a bitmap of its own.
  db.CharaBitmaps.assign(1, cEdBmpCharaExc());
  BuildSwordTypes(db);

  db.Effects.assign(1, cEdEffect());
  db.Effects.push_back(Effect("Burst", "bmp\\effect\\Burst.bmp", 6));
  db.Effects.push_back(Effect("Sparkle", "bmp\\effect\\Sparkle.bmp", 4));

  // Entry 0 of both lists is the empty effect.
  db.CharaEffects.clear();
  db.CharaEffects.push_back(ParamEffect<cEdCharaEffect>("なし", 0, {}));
  db.CharaEffects.push_back(ParamEffect<cEdCharaEffect>("Burst", 1, {5, 0, 32}));
  db.CharaEffects.push_back(ParamEffect<cEdCharaEffect>("Blink", 6, {10, 2}));
  db.CharaEffects.push_back(ParamEffect<cEdCharaEffect>("Spin", 7, {6, 0, 1440}));
  db.CharaEffects.push_back(ParamEffect<cEdCharaEffect>("Shrink", 10, {5, 32, 0, 2}));
  db.ScrEffects.clear();
  db.ScrEffects.push_back(ParamEffect<cEdScrEffect>("なし", 0, {}));
  db.ScrEffects.push_back(ParamEffect<cEdScrEffect>("Quake", 2, {5, 4, 6}));
  db.ScrEffects.push_back(ParamEffect<cEdScrEffect>("Wave", 6, {10, 0, 640, 4, 8}));
  db.ScrEffects.push_back(ParamEffect<cEdScrEffect>("Iris", 10, {10, 640, 0, 8}));

  db.Pictures.assign(1, cEdPicture());
  db.Pictures.push_back(MediaFile<cEdPicture>("Sign", "bmp\\pict\\Sign.bmp"));

  db.Sounds.assign(1, cEdSound());
  for (const SoundEffect& sound : GameSoundEffects()) db.Sounds.push_back(MediaFile<cEdSound>(sound.name, sound.file));

  db.Bgms.assign(1, cEdBgm());
  for (const Tune& tune : GameTunes()) db.Bgms.push_back(MediaFile<cEdBgm>(tune.title.c_str(), tune.file));
}

}  // namespace sample
