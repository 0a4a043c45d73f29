#include "gfx/anime_player.h"

void cAnimePlayer::Build(const AnimeFrame* const* lists) {
  if (lists == nullptr) return;
  Clear();
  int count = 0;
  while (lists[count] != nullptr) ++count;
  m_Animes.resize(static_cast<std::size_t>(count));
  for (int j = 0; j < count; ++j) {
    const AnimeFrame* frames = lists[j];
    int steps = 0;
    while (frames[steps].value >= 0) ++steps;
    ++steps;
    cVector<AnimeStep>& anime = m_Animes[j];
    anime.resize(static_cast<std::size_t>(steps));
    for (int k = 0; k < steps; ++k) anime[k] = {frames[k].value, frames[k].duration, frames[k].hold};
  }
}

int cAnimePlayer::Set(int n, int force) {
  if (!force && !m_Animes.empty() && m_Animes[m_nAnime][m_nStep].hold != 0) return 0;
  m_nAnime = n;
  m_nStep = 0;
  m_nTick = 0;
  return 1;
}

int cAnimePlayer::Change(int n, int force) {
  if (n == m_nAnime) return 1;
  return Set(n, force);
}

int cAnimePlayer::Step() {
  if (m_Animes.empty()) return 0;
  ++m_nTick;
  if (m_nTick >= m_Animes[m_nAnime][m_nStep].duration) {
    m_nTick = 0;
    const int last = static_cast<int>(m_Animes[m_nAnime].size()) - 1;
    // Past the last step there is nothing: the player stays on it.
    if (m_nStep < last) ++m_nStep;
    const AnimeStep& now = m_Animes[m_nAnime][m_nStep];
    switch (now.value) {
      case kAnimeJump: Set(now.duration, 1); break;
      case kAnimeLoop: m_nStep = 0; break;
      case kAnimeStay: m_nStep = m_nStep - 1 < 0 ? 0 : m_nStep - 1; break;
      default: break;
    }
  }
  return m_Animes[m_nAnime][m_nStep].value;
}

int cAnimePlayer::GetValue() {
  // As Step: a player without a table shows frame 0 (a frozen frame draws such items too).
  if (m_Animes.empty()) return 0;
  return m_Animes[m_nAnime][m_nStep].value;
}

void cAnimePlayer::Clear() {
  m_Animes.clear();
  m_nAnime = 0;
  m_nStep = 0;
  m_nTick = 0;
}
