#pragma once

#include <cstdint>
#include <string>

#include "core/checked_sequence.h"
#include "flow/flow_actor_seam.h"

// One scroll axis as the movement commands see it.
struct FlowScrollAxis {
  double autoSpeed = 0;   // dots per sub-step
  bool atEdge = false;    // held at an end of its range
  double position = 0;    // the stage position of the screen's edge
  std::int32_t margin = 0;     // blocks round the playable stage
  std::int32_t stageDots = 0;  // the stage's size on the axis
};

// The target command's search: the nearest character (kind 2) or the first (3) of a group or
// of all groups, passing the filters.
struct FlowTargetSearch {
  int kind = 2;
  int group = 0;
  bool allGroups = false;
  int range = 0;  // nearest: 0 on screen first, 1 anywhere, 2 on screen only
  bool skipSelf = false, skipInvincible1 = false, skipInvincible2 = false, skipBlockCharas = false;
  bool byId = false;
  int charaId = 0;
  bool byVariable = false;
  int variable = 0, value = 0, comparison = 0;
};

// A message command's window as the scene shows it. follow: 0 nothing, 1 the character that
// runs the command, 2 the hero.
struct FlowMessage {
  std::string text;
  std::int32_t positionMode = 0, cellX = 0, cellY = 0, offsetX = 0, offsetY = 0;
  std::int32_t keepInside = 0, screenFixed = 0, displayMode = 0, frames = 0, modal = 0;
  std::int32_t follow = 0, chained = 0, expand = 0, refresh = 0, refreshInterval = 0, font = 0;
  std::int32_t hasId = 0, id = 0, close = 0;
};

// A picture object as the picture command makes it: what the scene's picture list holds.
struct FlowPicture {
  std::int32_t picture = 0;
  double x = 0, y = 0;
  std::int32_t width = 0, height = 0;
  std::int32_t screenFixed = 0, blend = 0, magnification = 100, displayMode = 0, frames = 0, modal = 0;
  std::int32_t hasId = 0, id = 0;
};

// What the flow engine needs of the play scene beyond its characters. The play scene installs
// itself; the engine's tests use a fake.
class cFlowWorld {
 public:
  virtual ~cFlowWorld() = default;

  // System status `index`: 0 the remaining time, 1 and 2 the auto-scroll speeds, 3 the score,
  // 4 the lives; no address for any other.
  virtual FieldRef SystemStatus(int index) = 0;
  virtual bool HasTimeLimit() const = 0;
  // The hero (element 0 of the player list); none while there is none.
  virtual cFlowActor* Hero() = 0;
  virtual bool UnlimitedLives() const = 0;
  // The stage's auto-scroll switch of an axis (0 horizontal, 1 vertical).
  virtual int AutoScrollSwitch(int axis) const = 0;
  virtual cVector<std::int32_t>& CommonVars() = 0;
  virtual cVector<std::int32_t>& StageVars() = 0;
  // After a status operation changed an auto-scroll speed: axis 0 horizontal, 1 vertical.
  virtual void AutoScrollChanged(int axis) = 0;
  // A character other than the one running the command may have died of it.
  virtual void RequestDefeatCheck() = 0;
  // 0 horizontal, 1 vertical.
  virtual FlowScrollAxis ScrollAxis(int axis) const = 0;
  // A project sound; 0 plays nothing.
  virtual void PlayUserSE(int number) = 0;
  // The stage's auto-scroll switch of an axis set, and the axis set going by it.
  virtual void SetAutoScrollSwitch(int axis, int value) = 0;
  // "消滅" of the active characters or shots of a group: those on screen, or all.
  virtual void VanishCharas(int group, bool all, cFlowActor& executing) = 0;
  virtual void VanishShots(int group, bool all) = 0;
  // The hero runs item `index` of the common (0) or the stage's (1) palette: 0 go on, 1 the
  // stage is cleared, 2 the hero is dead.
  virtual int RunItem(int palette, int index) = 0;
  // 0 none, 1 the stage is cleared, 2 the hero is dead.
  virtual void SetLeaveRequest(int request) = 0;
  // The message command: a window created, filled anew in place, replaced or closed by ID.
  virtual void ShowMessage(const FlowMessage& message, cFlowActor& executing) = 0;
  // An effect of the database at (x, y) in stage dots, sized; modal stops the game while it
  // plays. ClearEffects removes every running effect.
  virtual void AddEffect(int index, double x, double y, int width, int height, int modal) = 0;
  virtual void ClearEffects() = 0;
  // Pictures, each with its image surface at the same place in the scene's lists. FindPicture:
  // the place of the first shown under `id`, -1 for none. LoadPicture: the file's image into a
  // new surface put at `place` (-1 the end), its size; false, reported and closing, when it
  // cannot be read. AddPicture puts the object at `place` (-1 the end).
  virtual int FindPicture(int id) = 0;
  virtual void RemovePicture(int place) = 0;
  virtual void RemoveAllPictures() = 0;
  virtual bool LoadPicture(int place, const std::string& file, int magnification, int& width, int& height) = 0;
  virtual void AddPicture(int place, const FlowPicture& picture) = 0;
  virtual int PictureCount() const = 0;
  // The play scene's screen effect started (index 0 none; mode 0 forwards, 1 backwards, 2 there
  // and back).
  virtual void StartScreenEffect(int index, int mode, int repeat) = 0;
  // The screen tint set from the change-screen-colour command's parameters.
  virtual void SetTint(const cVector<std::int32_t>& params) = 0;
  // The play scene is leaving: display commands do nothing.
  virtual bool Quitting() const = 0;
  // The play scene's modal display: its state (kind, wait for the advance key, frames, chain
  // flag), then its run, the game standing still until it ends.
  virtual void SetModalDisplay(int kind, int value, int duration, int flag) = 0;
  virtual void RunModalDisplay() = 0;
  // An empty message fixed on the screen for `frames` frames, counted while the game stands.
  virtual void AddWaitMessage(int frames) = 0;
  // The stage's music, as the stage set-up asks for it.
  virtual void RequestBgm(int number, int loop) = 0;
  // Where the clear leads: the next part's number (0 none) and file (empty none).
  virtual void SetNextStage(int number, const std::string& file) = 0;
  virtual cFlowActor* FindTarget(cFlowActor& searcher, const FlowTargetSearch& search) = 0;
  // Background `index` (from 0) shown (mode 0), hidden (1) or toggled (2).
  virtual void SetBackground(int index, int mode) = 0;
};

// The installed world; none outside play.
cFlowWorld* FlowWorld();
void SetFlowWorld(cFlowWorld* world);
