#pragma once

#include <cstdint>

#include "gfx/surface_data.h"
#include "input/menu_cursor.h"
#include "menus/menu_scene.h"

class cMapEvent;
class cMapPoint;

// The event of a point in effect: the first in list order whose required stage is cleared,
// whose variable condition holds and whose required total the clear sum reaches; none when
// none passes or there is no point.
const cMapEvent* SelectEvent(const cMapPoint* point);
// Whether the event's stage is cleared (0 for no event).
int IsCleared(const cMapEvent* event);
// Whether the event's stage waits for the decide button: decide-only, or cleared.
int NoAutoEnter(const cMapEvent* event);
// The cell array's index of (x, y), clamped into the map.
int CellIndex(int x, int y);

// The lives box of the map: its left edge and width for the lives shown (unlimited as one
// character).
struct LivesBox {
  int x = 0;
  int width = 0;
};
LivesBox LivesBoxOf(std::int32_t lives);

// How many times the map view has been drawn into its surface (it is drawn only when the view
// moves or the surface was lost).
long MapViewDraws();

// The story's world map: the hero steps from cell to cell, stages open by themselves or on the
// decide button after a question, the stage's name, best value and ranking panel show beside
// the hero, and button 2 opens the world map's menu.
class cSceneWorldMap : public cMenuScene {
 public:
  cSceneWorldMap();
  ~cSceneWorldMap() override;

  void Init() override;
  void FadeIn() override;
  void Exit() override;

  // One step of the hero by the direction word, blocked by walls and by a wall's event.
  void MoveHero(std::uint16_t directions);

  int ViewX() const { return m_nViewX; }
  int ViewY() const { return m_nViewY; }
  int Facing() const { return m_nFacing; }

 protected:
  std::int32_t ButtonMask() const override { return 15; }

 private:
  void Move();
  void Confirm();
  void SelectHere();
  void LoadStageData();
  bool LoadStageFile();
  void SetStageUp();
  void OpenPrompt();
  void LeaveFor(int scene);
  bool RankingButtons();
  void DrawMapView();
  void DrawPanel();
  void DrawFrame(bool stageInfo);
  void DrawStageInfo();
  void DrawLives();
  bool IsStage() const;

  int m_nViewX = 0;
  int m_nViewY = 0;
  const cMapPoint* m_pPoint = nullptr;
  const cMapEvent* m_pEvent = nullptr;
  int m_nFacing = 0;
  MenuCursorPos m_Saved;
  MenuCursorPos m_StageCell;
  std::int32_t m_nClearValue = 0;
  DDSurfaceList m_Panels;
  SurfaceDefList m_PanelDefs;
};
