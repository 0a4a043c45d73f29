#pragma once

#include <string>

#include "gfx/surface_data.h"
#include "menus/menu_scene.h"

// The file of challenge stage n (from 1): the challenge prefix, n in at least two digits, "-1"
// and the stage extension, e.g. data\stg4\c07-1.stg4.
std::string ChallengeStageFile(int stage);

// The challenge stages: as many rows as are open (or all of them), each with its cleared sign
// and best value, the clear sum and the ranking panel of the stage under the cursor. Choosing a
// row plays it in challenge mode; button 2 goes back to the title. The row and the page are
// kept for the way back from the play scene.
class cSceneStageSelect : public cMenuScene {
 public:
  cSceneStageSelect();
  ~cSceneStageSelect() override;

  void Init() override;
  void FadeIn() override;
  void Exit() override;

  int RowCount() const { return m_nRows; }
  int Top() const { return m_nTop; }

 protected:
  std::int32_t ButtonMask() const override { return 15; }

 private:
  void List();
  void CountRows();
  void LoadStageData(int stage);
  bool Decide();
  void DrawImage();
  void DrawFrame();

  int m_nTop = 0;
  int m_nRows = 0;
  int m_nVisible = 0;
  DDSurfaceList m_Images;
  SurfaceDefList m_ImageDefs;
};
