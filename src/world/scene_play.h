#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include <atomic>

#include "core/checked_sequence.h"
#include "core/scene.h"
#include "core/scene_manager.h"
#include "core/state_timer.h"
#include "data/save_data.h"
#include "data/hit_level.h"
#include "data/stage_data.h"
#include "flow/flow_world_seam.h"
#include "gfx/surface_data.h"
#include "world/chara.h"
#include "world/effect_obj.h"
#include "world/hit_box.h"
#include "world/item_obj.h"
#include "world/message_obj.h"
#include "world/picture_obj.h"
#include "world/player.h"
#include "world/screen_tint.h"
#include "world/scroll_axis.h"
#include "world/shot_obj.h"
#include "world/block_map.h"
#include "world/pass_grid.h"
#include "world/spatial_index.h"

class cEdCondition;
class cEdFlow;
struct cFlow;

// Whether a picture's DirectDraw surface goes to system memory: always for a magnified picture
// without the stretching blit, else when less than a fifth of the video memory is free.
int PictureMemoryFlag(int magnification, bool videoStretch, unsigned freeMB, unsigned totalMB);
// Under DirectDraw, 1 (system memory) when less than a fifth of video memory is free; else 0.
int SystemMemoryWhenShort();

// Set by the main window when the program closes; every loop of the play scene stops on it.
// The scene's constructor clears it.
extern std::atomic<int> PlaySceneQuit;

// A stage's random seed: KESTREL_SEED when it holds a number (for runs that must repeat),
// else the clock.
std::uint32_t StageSeed();

// The play states.
enum PlayState : int {
  kPlayFadeIn = 0,
  kPlayReady = 1,
  kPlayRunning = 2,
  kPlayPause = 3,
  kPlayClear = 4,
  kPlayRetry = 5,
  kPlayGameOver = 6,
  kPlayExit = 7,
};

// Scene 4, where a stage is played: the field's lists, the block map, the scroll axes, the
// stage's units, the collisions, conditions and block effects, and the eight states from the
// fade-in to the exit with the drawing of the field.
class cScenePlay : public cScene {
 public:
  explicit cScenePlay(cStageData& stage);
  ~cScenePlay() override;
  cScenePlay(const cScenePlay&) = delete;
  cScenePlay& operator=(const cScenePlay&) = delete;

  // The hit level's units of the stage.
  void SetUnits(std::int32_t hitLevel, double gravity);
  // The block map and both axes from the stage's size and limits; false (after the message
  // and a close request) when the map's memory cannot be had.
  bool BuildBlockMap();
  int CellIndex(int column, int row) const { return column + (row << ScrollX.nShift); }
  // The cell of a map pixel, or -1 off the map.
  int CellAt(int px, int py) const;
  // The block of a cell, or nullptr outside the map.
  const cEdBlock* CellBlock(int index) const { return BlockMap.Find(index); }

  cPlayer& Hero() { return Player[0]; }
  cCharaBase* FindCharaByNumber(int number);
  // The one removal path: references, the group list and the node; the next node.
  cList<cChara>::iterator RemoveChara(cList<cChara>::iterator it);
  void AddToGroup(cCharaBase& chara);
  // A defeat with its consequences: 0 nothing more, 1 the stage is cleared, 2 the hero is
  // defeated as well.
  int DefeatChara(cChara& chara);
  // The clear: its sound, the run totals and extra lives, and the clear display.
  void OnStageClear();
  // The place each kept ranking kind's total would take, at a clear of a series' last stage.
  void FindRankPlaces();
  // Enters the clear's totals in the tables where they placed, under the typed or the fixed
  // name, and writes the stage's ranking file; once a clear.
  void EnterRanking();
  // The ranking display on its thread, the game thread waiting.
  void RunRankingDisplay();
  void CheckExtraLife();
  // The file of part `next` of a stage series; 0 when there is none.
  int NextStageFileName(std::string& out, int next);
  int IsLastStage(int next);
  // The scene after the clear display.
  int NextStage();
  // The next part of a stage series loaded into the stage.
  bool LoadNextPart();
  int TouchItem(cItemObj& item);
  int PickUpItems(cPlayer& hero);
  int RunBlockEvent(cPlayer& hero);
  // A placed item at its cell.
  void SpawnItem(const cEdItem& placement);
  // Summons. The block change replaces, erases or (once per cell and attempt) toggles the
  // cell at a map point; one that would cover a protected kind of object is taken back.
  void ChangeBlock(int px, int py, int facing, const cEdShot& record, const cEdBlock& def);
  // 1 when the new cell covers the hero or a character that the record protects; every
  // covered one gets two sub-steps of grace from being squeezed.
  int BlockCoversObject(int index, int cx, int cy, const cEdShot& record);
  void SpawnCharaByCommand(const cEdChara& def, int px, int py, int facing, int group, const cEdShot& record);
  void SpawnItemByCommand(const cEdItem& def, int px, int py);

  // Block collision.
  int HitKind(int cell, int group);
  int PickEdgeCell(const cCharaBase& c, int x1, int y1, int x2, int y2);
  int PickFootCell(const cCharaBase& c);
  int PickCornerCell(int l, int t, int r, int b, int group);
  int CollideBlocksX(cCharaBase& c);
  int CheckWalls(cCharaBase& c);
  int HitLeftWall(cCharaBase& c);
  int HitRightWall(cCharaBase& c);
  int CollideBlocksY(cCharaBase& c);
  int CheckFloorThenCeiling(cCharaBase& c);
  int HitFloor(cCharaBase& c);
  int HitCeilingBlock(cCharaBase& c);
  void ClampToScreenX(cCharaBase& c);
  int ClampToScreenY(cCharaBase& c);
  bool IsBlocked(cCharaBase& c);

  // Object collisions.
  int CheckGroupHits();
  int CheckCharaHits();
  int CheckShotCharaHits();
  void CheckShotPairs();
  // Pass d: every shot's update, motion, range and terrain tests for one sub-step.
  void StepShots(int subStep);
  // The one removal path of a shot: its group list, its target's homing list and its node;
  // the next node.
  cList<cShotObj>::iterator RemoveShot(cList<cShotObj>::iterator it);
  void RemoveShot(const cShotObj* shot);
  int KillByDamage(cCharaBase& c);
  int CheckHeroHp();
  int ResolveTerrain(cCharaBase& c);
  void PushFromSolidCharas(cCharaBase& c, bool vertical);
  bool IsSqueezed(const cCharaBase& c, const WorldBox& before);
  bool StillOnRidden(const cCharaBase& c);
  cChara* FindPlatformBelow(const cCharaBase& c);
  void CarryByRidden(cCharaBase& c);
  bool OverlapsSolidChara(const cGameObj& o);
  bool OverlapsOtherSolidChara(const cGameObj& o, int excluded);
  bool IsPlatform(const cChara& p, const cGameObj& mover) const;

  // What the flow engine's one-call commands ask of the scene (scene_commands.cpp).
  void SetAutoScrollSwitch(int axis, int value);
  void VanishCharas(int group, bool all, const cCharaBase* executing);
  void VanishShots(int group, bool all);
  int RunItem(int palette, int index);
  void SetBackground(int index, int mode);
  cCharaBase* FindTarget(cCharaBase& searcher, const FlowTargetSearch& search);
  void ShowMessage(const FlowMessage& message, const cCharaBase* executing);
  // The pictures and their surfaces (scene_pictures.cpp).
  int FindPicture(int id);
  void RemovePicture(int place);
  void RemoveAllPictures();
  bool LoadPicture(int place, const std::string& file, int magnification, int& width, int& height);
  void AddPicture(int place, const FlowPicture& picture);
  // The screen effect's start; with none running the Direct3D drawing goes back to the back
  // buffer itself (screen_effect.cpp).
  void StartScreenEffect(int index, int mode, int repeat);
  // The running screen effect over the finished frame; frozen drawing keeps its place.
  void RunScreenEffect(bool freeze);
  // One frame of the running effect's kind; true when it has ended.
  bool RunScreenEffectKind(bool freeze);

  // Conditions and block effects.
  bool CheckCellConditions(int index);
  bool CheckCharaConditions(cChara& chara);
  bool CheckItemConditions(cItemObj& item);
  bool CheckFlowConditions(cFlow& flow, const cEdFlow& def, cCharaBase& chara);
  bool CheckConditionList(const cVector<cEdCondition>& list, int rule, cCharaBase* chara);
  bool CheckCondition(const cEdCondition& condition, cCharaBase* chara);
  int ApplyBlockEffect(cPlayer& hero);

  // The modal display: its state, and its run on the display thread while this thread waits
  // (modal_display.cpp). Nothing runs when the thread cannot start; that is logged.
  void SetModalDisplay(int kind, int value, int duration, int flag);
  void RunModalDisplay();
  // An empty message fixed on the screen for `frames` frames, counted while the game stands.
  void AddWaitMessage(int frames);
  // One frame of the current state, logged for headless runs.
  void Run() override;
  // The scene's states (play_states.cpp).
  void Init() override;
  void FadeIn() override;
  void StateReady();
  void StatePause();
  void StateClear();
  void StateRetry();
  void StateGameOver();
  void Exit() override;
  // The run's reset when the scene is entered from another one.
  void ResetRun();
  // 1 when a life could be taken (or none is needed).
  static int UseLife(cSaveData& save);
  // The space key: the state is kept to come back to and 1 returned.
  int CheckPauseKey();
  // The hero's death display has ended: restart, retry menu or game over.
  void ResolveHeroDeath();

  // The whole stage set-up. reload restores the stage's changeable state from StageStart;
  // fromStart means the stage is entered anew, which decides the music request.
  void SetStage(int reload, int fromStart);
  // Stage set-up of the field: units, block map, hero, characters, group lists, counters and
  // the stage-start trigger, with the generator seeded. The stage must have a hero.
  void SetupField(std::uint32_t seed);
  void RequestBgm(int number, int loop);
  // The display lists, counters, snapshot, inputs and backgrounds of a stage's start.
  void PrepareStageStart();
  // One frame of play: input, clocks, the physics sub-steps and the drawing.
  void StatePlay();
  int TickTimeLimit(int delta);
  void TickPlayTime();

  // Drawing (play_draw.cpp, status_draw.cpp).
  void Draw(int playFrame, int freeze, int showStatus, int showCaption);
  void DrawHero(bool freeze);
  int DrawChara(cChara& chara, bool freeze);
  void StepBackgrounds();
  void DrawBackgrounds(DDSURFACEDATA* target, int layer);
  void DrawBlockMap(DDSURFACEDATA* target, int layer);
  void DrawPictures(DDSURFACEDATA* target, int layer, bool freeze);
  void DrawStatus(DDSURFACEDATA* target);
  void DrawTime(DDSURFACEDATA* target, int showStatus);
  // The pictures of the play scene's rows and its special bitmaps (play_surfaces.cpp).
  bool LoadSceneSurfaces(bool backgroundsOnly);
  void LoadSpecialBitmaps();
  void ReleaseSpecialSurfaces();
  void ReleaseSceneSurfaces();
  // The darkness around a hero that carries it: a sheet twice the view with a hole of the
  // hero's light (a disc, or a square for the other kinds) at its centre.
  void BuildDarkness(DDSURFACEDATA* darkness, DDSURFACEDATA* light);
  void SpawnCharas(int blockX, int blockY, const cEdChara& placement);
  // The physics of one play frame: b sub-steps of the passes over block characters, the
  // hero, the other characters and the hero's interactions. 0 goes on, 1 the stage was
  // cleared, 2 the hero died; either ends the frame at once.
  int StepPlayFrame();
  void UpdateActiveFlags();

  // The indexes: platforms by their boxes, each group's characters by their body boxes and
  // every character by number. With bUseIndex clear the passes walk the whole lists.
  void ResetIndexes();
  void IndexChara(cCharaBase& chara);
  void UnindexChara(cCharaBase& chara);
  void OnObjectMoved(cCharaBase& chara);
  // The block characters that may meet box, in CharaList order (all of them without index).
  const std::vector<cCharaBase*>& PlatformsNear(const WorldBox& box);

  cStageData& Stage;
  HitLevelUnits Units;
  double dGravitySetting = 0.4;
  cScrollAxis ScrollX, ScrollY;
  cBlockMap BlockMap;
  cVector<cPlayer> Player;
  cList<cChara> CharaList;
  cList<cItemObj> ItemList;
  cList<cEffectObj> EffectList;
  cList<cShotObj> ShotList;
  DDSurfaceList MessageSurfaces;
  SurfaceDefList MessageSurfaceDefs;
  cList<cMessageObj> MessageList;
  cList<cPictureObj> PictureList;
  cScrEffectRun ScreenEffect;
  // What the effect's handlers keep from frame to frame.
  struct ScrEffectWork {
    double offset = 0;   // a shake's swing
    int direction = 0;   // 0 swinging right or down
    int dx = 0, dy = 0;  // a slide's offset
    int phase = 0;       // a wave's phase in degrees
    int counter = 0;     // frames since the blink flipped
    int blinkOff = 0;
  };
  ScrEffectWork EffectWork;
  cScreenTint Tint;
  // The pictures' image surfaces and their rows, at the pictures' places.
  DDSurfaceList PictureSurfaces;
  SurfaceDefList PictureSurfaceDefs;
  // The special bitmaps of effects (plain and scaled per effect) and swords (four per type),
  // as the play scene loads them (or a tool puts them).
  cVector<DDSURFACEDATA*> EffectSurfaces;
  cVector<DDSURFACEDATA*> SwordSurfaces;
  cVector<cList<cShotObj*>> ShotGroups = cVector<cList<cShotObj*>>(8);
  cVector<cList<cCharaBase*>> CharaGroups;
  cCharaBase* pCurChara = nullptr;
  void* pCurFlow = nullptr;
  void* pCurCommand = nullptr;
  std::int32_t nStageEnd = 0;
  std::int32_t bItemMessage = 0;  // an item's message command ran in the current list
  std::int32_t nClearRequest = 0;
  std::int32_t nSavedState = 0, nSavedSubState = 0;
  cStateTimer Modal;
  std::int32_t nTimeLeft = 999;
  std::int32_t bNoTimeLimit = 1;
  std::int32_t nPlayFrames = 0;
  std::int32_t nPlayTime = 0;  // hundredths of a second
  std::int32_t nReady = 0, nReady2 = 0;
  std::uint32_t nSeed = 0;
  std::int32_t bButtonLatch = 0;
  std::int32_t nNextScene = 0;
  std::int32_t nNextStageNumber = 0;
  std::string strNextStageFile;
  std::int32_t bRankQualified = 0;
  cVector<std::int32_t> RankPlaces = cVector<std::int32_t>(5, -1);
  cVector<std::int32_t> RankValues = cVector<std::int32_t>(5, 0);
  std::int32_t bRankRegistered = 0;
  std::int32_t bStatusOn = 0;
  bool bSurfacesLoaded = false;
  bool bSpecialBitmapsLoaded = false;  // by this scene, which then releases them
  std::int32_t nKillFlag = 0;
  std::int32_t nSubStep = 0;
  std::int32_t nSubStepTotal = 0;
  cVector<std::int32_t> Schedule;
  cVector<std::int32_t> ChangedCells;  // cells changed by the running block summon
  cVector<std::int32_t> StageVars = cVector<std::int32_t>(255, 0);
  // The game variables and the stage score live in the progress record.
  cVector<std::int32_t>& CommonVars = SaveDataCur.m_Vars;
  cVector<std::uint8_t> ActiveFlags = cVector<std::uint8_t>(60, 0);
  std::int32_t nCharaNumber = 0, nItemNumber = 0, nShotNumber = 0;
  std::int32_t& nScore = SaveDataCur.m_nScore;
  std::int32_t nFrame = 0;
  std::int32_t nRunFrames = 0;  // frames the scene ran, whatever its state
  // The node a pass over CharaList stands on; a removal of that node from anywhere moves the
  // cursor on and raises the flag, so the pass neither touches the freed node nor skips one.
  cList<cChara>::iterator* pPassCursor = nullptr;
  bool bCursorRemoved = false;
  // While the hit pass walks the group lists, a removal leaves a null in them instead of
  // cutting the list under the walk; the pass compacts them when it ends.
  int nGroupWalks = 0;
  bool bWalkRemoved = false;  // something left the lists during the walk
  void BeginGroupWalk() { ++nGroupWalks; }
  // Compacts the group lists when the outermost walk ends.
  void EndGroupWalk();
  bool bUseIndex = true;
  cSpatialIndex PlatformIndex;
  cVector<cSpatialIndex> BodyIndex = cVector<cSpatialIndex>(8);
  std::unordered_map<std::int32_t, cCharaBase*> NumberIndex;  // looked up, never walked
  std::uint64_t nKeyCounter = 0;
  std::uint64_t nFieldChanges = 0;  // any character indexed, moved or removed
  std::vector<cCharaBase*> NearScratch;
  // The shot passes' grids, kept between sub-steps so that their cells keep their storage.
  cPassGrid<cCharaBase> ShotPassCharaGrid;
  std::vector<cPassGrid<cShotObj>> ShotPassShotGrids;
  std::int32_t bEraseCharas = 0, bEraseBlockCharas = 0, bEraseItems = 0;
};

// The live play scene (PlaySceneGlobal of the scene manager) is the last one constructed
// until it is destroyed: tests and tools make their own.
