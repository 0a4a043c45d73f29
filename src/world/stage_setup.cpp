// The field of a stage as play begins.
#include <cstdlib>

#include "core/game_random.h"
#include "core/close_request.h"
#include "core/game_requests.h"
#include "core/program_state.h"
#include "core/report_log.h"
#include "core/timing.h"
#include "data/data_read_context.h"
#include "data/play_stage_file.h"
#include "data/surface_defs.h"
#include "data/system_data.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/render_target.h"
#include "gfx/surface_records.h"
#include "gfx/surface_table.h"
#include "input/input.h"
#include "input/menu_cursor.h"
#include "input/replay.h"
#include "world/flow_link.h"
#include "world/scene_play.h"

namespace {

constexpr int kDarknessRow = play_rows::kDarkness;
constexpr int kLightRow = play_rows::kLight;

}  // namespace

std::uint32_t StageSeed() {
  if (const char* text = std::getenv("KESTREL_SEED"); text != nullptr && *text != '\0') {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 0);
    if (*end == '\0') return static_cast<std::uint32_t>(value);
  }
  return ClockMs();
}

void cScenePlay::RequestBgm(int number, int loop) {
  SaveDataCur.m_bBgmLoop = loop;
  SendToMainWindow(kRequestMusic, 4, number);
}

void cScenePlay::SetStage(int reload, int fromStart) {
  if (SceneMgr.TitleChoice == kTitleChoiceReplay) {
    // Playback repeats the recorded attempt from its file: the stage and the progress as it
    // began, its words from the first, its seed.
    cStageData scratch;
    if (Replay0.ReadFile(StageFilePath, Stage, scratch, SaveDataCur) == 0) {
      ErrLogf("%s の読み込みに失敗！", StageFilePath.c_str());
      PostCloseRequest();
    }
    ProjectDataContext().stagePalette = Stage.PaletteView();
    nSeed = static_cast<std::uint32_t>(Replay0.m_nSeed);
  } else {
    if (reload != 0) Stage.AssignStartState(StageStart);
    if (SystemData.bRecordReplay != 0) {
      // The attempt before this one is kept for F2; this one is recorded afresh.
      SaveDataRpl1 = SaveDataRpl0;
      SaveDataRpl0 = SaveDataCur;
      Replay1 = Replay0;
      Replay0.Clear();
      nSeed = StageSeed();
      Replay0.m_nSeed = static_cast<std::int32_t>(nSeed);
    }
  }
  // The status the hero carries from the stage before, into its placement before it is built.
  if (Stage.bApplyHeroStatus != 0) {
    const int heroIndex = Stage.FindHero();
    if (heroIndex >= 0) SaveDataCur.ApplyHeroStatus(0, Stage.Charas[heroIndex], Stage);
  }
  // Music: a fresh start leaves the stage's music playing when the stage keeps it; a retry
  // asks only when another music plays.
  const int playing = SaveDataCur.m_nBgm;
  if (fromStart != 0) {
    if (!(Stage.bKeepBgm != 0 && playing == Stage.nBgm && Stage.nBgm != 0)) RequestBgm(Stage.nBgm, Stage.bBgmLoop);
  } else if (playing != Stage.nBgm) {
    RequestBgm(Stage.nBgm, Stage.bBgmLoop);
  }
  SceneMgr.CurBgm = 0;
  SetupField(nSeed);
}

void cScenePlay::PrepareStageStart() {
  MessageList.clear();
  EffectList.clear();
  ScreenEffect = cScrEffectRun{};
  Tint = cScreenTint{};
  Modal.m_nCount = 0;
  RemoveAllPictures();
  DDReleaseSurfaceList(MessageSurfaces);
  MessageSurfaceDefs.clear();
  nStageEnd = 0;
  nReady = nReady2 = 0;
  if (Stage.bTimeLimit != 0) {
    nTimeLeft = Stage.nTimeLimit;
    bNoTimeLimit = 0;
  } else {
    nTimeLeft = 999;
    bNoTimeLimit = 1;
  }
  nPlayFrames = nPlayTime = 0;
  ActiveFlags.assign(60, 0);
  ChangedCells.clear();
  nNextStageNumber = 0;
  nSubStep = nSubStepTotal = 0;
  SaveDataCur.m_nScore = 0;
  if (SceneMgr.TitleChoice == kTitleChoiceReplay || (FromEditor.load() != 0 && DirectPlayFlag.load() != 0)) {
    SaveDataCur.ClearCounters();
  }
  SaveDataCur.TakeSnapshot();
  for (cInput& input : PlayerInputs) {
    input.ClearHistory();
    input.ResetEvents();
  }
  MenuCursor.Reset();
  FrameCounter(0, 0);
  for (cEdBackground& background : Stage.Backgrounds) {
    background.dSelfScrollPosX = background.dSelfScrollPosY = 0.0;
  }
  if (DDInitialised != 0 && DDBpp == 8) {
    std::copy(std::begin(DDPalette), std::end(DDPalette), std::begin(DDPaletteSaved));
  }
  if (Stage.nFrameRate > 0) SceneMgr.FrameRate = Stage.nFrameRate;
}

void cScenePlay::SpawnCharas(int blockX, int blockY, const cEdChara& placement) {
  cEdChara d = placement;
  for (int i = 0; i <= d.nCopies; ++i) {
    cChara c;
    c.Init(nCharaNumber, d, nullptr, (blockX + 10) * 32 + 16, (blockY + 10) * 32 + 16, i);
    c.SetCell(blockX, blockY);
    const int ox = d.CopyOffsetX(i, d.nFacing);
    const int oy = d.CopyOffsetY(i, d.nFacing);
    c.x += ox;
    c.right += ox;
    c.y += oy;
    c.bottom += oy;
    if (!c.IsInStage(true)) continue;
    c.OnMovedX();
    c.OnMovedY();
    CharaList.push_back(c);
    CharaList.back().UpdateScreenRect();
    IndexChara(CharaList.back());
    ++nCharaNumber;
  }
}

void cScenePlay::SetupField(std::uint32_t seed) {
  ErrLogf("In SetStage");
  nFrame = 0;
  CharaGroups.assign(8, cList<cCharaBase*>{});
  CharaList.clear();
  ItemList.clear();
  ShotList.clear();
  for (cList<cShotObj*>& group : ShotGroups) group.clear();
  SeedGameRandom(seed);
  nCharaNumber = nItemNumber = nShotNumber = 0;
  SetUnits(Stage.nHitLevel, Stage.dGravity);
  // The hero exists even when the set-up stops, so that the frames until the close draw.
  Player.assign(1, cPlayer{});
  if (!BuildBlockMap()) return;
  ResetIndexes();
  const int heroIndex = Stage.FindHero();
  if (heroIndex >= 0) {
    const cEdChara& p = Stage.Charas[heroIndex];
    Hero().Init(nCharaNumber++, p, (p.x + 10) * 32 + 16, (p.y + 10) * 32 + 16);
    if (Stage.bApplyHeroStatus != 0) SaveDataCur.GetHeroValues(0, &Hero().nHp, &Hero().nSp);
  }
  cPlayer& hero = Hero();
  IndexChara(hero);
  ScrollX.dPos = hero.x - 320 + (hero.nWidth / 2);
  ScrollX.Clamp();
  ScrollY.dPos = hero.y - 240 + (hero.nHeight / 2);
  ScrollY.Clamp();
  hero.UpdateScreenRect();
  if (hero.Def.nDarkness != 0) BuildDarkness(&SurfaceRecords[kDarknessRow], &SurfaceRecords[kLightRow]);
  StageVars.assign(255, 0);
  for (int i = 0; i < static_cast<int>(Stage.Charas.size()); ++i) {
    const cEdChara& c = Stage.Charas[i];
    if (i == heroIndex || c.nPicture == 0) continue;
    SpawnCharas(c.x, c.y, c);
  }
  for (const cEdItem& item : Stage.Items) {
    if (item.nPicture != 0) SpawnItem(item);
  }
  AddToGroup(hero);
  for (cChara& c : CharaList) AddToGroup(c);
  const auto anySide = [](const cStageParam& p) { return p.bLeft | p.bRight | p.bTop | p.bBottom; };
  bEraseCharas = anySide(Stage.Ranges[kRangeEraseCharas]) != 0;
  bEraseBlockCharas = anySide(Stage.Ranges[kRangeEraseBlockCharas]) != 0;
  bEraseItems = anySide(Stage.Ranges[kRangeEraseItems]) != 0;
  nClearRequest = 0;
  PrepareStageStart();
  // Stage start: the hero, then the characters, each removed at once when its flows asked.
  const bool everyone = SystemData.bLegacy697 != 0;
  if (!everyone) UpdateActiveFlags();
  hero.FireTrigger(18);
  for (auto it = CharaList.begin(); it != CharaList.end();) {
    if (!everyone && it->bPresent == 0) {
      ++it;
      continue;
    }
    it->FireTrigger(18);
    if (it->bKillRequest != 0) {
      it = RemoveChara(it);
    } else if (it->nHp <= 0) {
      DefeatChara(*it);
      it = RemoveChara(it);
    } else {
      ++it;
    }
  }
  UpdateActiveFlags();
  bStatusOn = Stage.bShowStatus;
  DDSetVirtualBackBuffer(0);
  ErrLogf("Out SetStage");
}
