#pragma once

#include <cstdint>

#include "core/record_base.h"
#include "data/anime_step.h"
#include "data/ed_anime.h"
#include "data/ed_anime_set.h"
#include "data/ed_bmp_chara_exc.h"
#include "data/ed_effect.h"
#include "data/ed_media_file.h"
#include "data/ed_param_effect.h"
#include "data/ed_sword_type.h"

struct DataReadContext;

// The project's catalogue of shared resources that stages, definitions and flows refer to by
// number (the index in a list). Entry 0 of most lists stands for none.
class cDatabase : public cData {
 public:
  cDatabase();
  cDatabase(const cDatabase&) = default;
  cDatabase& operator=(const cDatabase&) = default;

  void RegisterFields(std::int32_t version) override;

  // The contents of a project without database files.
  void SetDefaults();
  // Reads the ten files in order; 1 on success, 0 after an error box naming the file that
  // could not be read (later files are not tried, that list keeps its previous contents).
  int Load();
  // The second copies of the character and screen effects that the backwards run-time
  // entries are prepared from.
  void CopyEffectsForBackwards();
  // The record counts and sword parts that definitions and commands are checked against
  // while they read.
  void FillReadContext(DataReadContext& context) const;

  cVector<cEdAnimeSet> AnimeSets;
  cVector<cEdAnime> Animes;
  cVector<cEdBmpCharaExc> CharaBitmaps;
  cVector<cEdSwordType> SwordTypes;
  cVector<cEdEffect> Effects;
  cVector<cEdCharaEffect> CharaEffects;
  cVector<cEdScrEffect> ScrEffects;
  cVector<cEdPicture> Pictures;
  cVector<cEdSound> Sounds;
  cVector<cEdBgm> Bgms;
  cVector<cEdCharaEffect> CharaEffectsBack;
  cVector<cEdScrEffect> ScrEffectsBack;
};

extern cDatabase Database;

// Step tables of the animations and of the effects, index = animation (effect) number.
extern AnimeStepTable AnimeStepTables;
extern AnimeStepTable EffectStepTables;

// One table per record: each frame a step of its duration in ticks, closed by an end step.
// Record 0 is the still "none" animation: every step held for no time, and it loops.
void BuildAnimeFrameTables(AnimeStepTable& tables, const cVector<cEdAnime>& animes = Database.Animes);
void BuildEffectFrameTables(AnimeStepTable& tables, const cVector<cEdEffect>& effects = Database.Effects);
