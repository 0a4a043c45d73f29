#include "flow/anime_set.h"

#include "data/anime_step.h"
#include "data/database.h"
#include "flow/flow_actor_seam.h"
#include "gfx/anime_player.h"

void SetAnimeSet(cFlowActor& chara, int set, int force) {
  if (force == 0 && set == chara.AnimeSet()) return;
  chara.StoreAnimeSet(set);
  cAnimePlayer& player = chara.MotionPlayer();
  player.m_Animes.clear();
  const cEdAnimeSet& motions = Database.AnimeSets[set];
  for (const cEdAnime& motion : motions.Motions) {
    cVector<AnimeStep>& steps = player.m_Animes.emplace_back();
    for (const cEdAnimeFrame& frame : motion.Frames) steps.push_back({frame.nCell, frame.nDuration * kTicksPerTenth, 1});
    steps.push_back({kAnimeLoop, 0, 1});
  }
  player.m_nStep = 0;
  player.m_nTick = 0;
}
