#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/surface_defs.h"
#include "gfx/surface_data.h"
#include "menus/menu_scene.h"

// Where the title menu's image goes and how large it is: the strips of bmp\GameMode.bmp
// centred on x = 320, or a window of the labels in the 32-dot font at x = 192; 32 dots a row.
struct TitleMenuLayout {
  int x = 192;
  int y = 240;
  int width = 0;
  int height = 0;
};
TitleMenuLayout TitleMenuGeometry(bool imageMenu, int sheetWidth, const std::vector<std::string>& labels);

// The title: its picture with the menu of the enabled title entries; new game, continue from
// a story slot, challenge, free play, replay, options and the end.
class cSceneTitle : public cMenuScene {
 public:
  cSceneTitle();
  ~cSceneTitle() override;

  // Runs the sound script of whole-program runs by the title's frames, then the frame.
  void Run() override;
  void Init() override;
  void FadeIn() override;
  void Exit() override;

  // The title entries shown, by row.
  const std::vector<int>& Rows() const { return m_Rows; }

 private:
  void Menu();
  void Continue();
  void Decide(int entry);
  void DrawMenuImage();
  void DrawFrame(bool fadingIn);

  std::vector<int> m_Rows;
  TitleMenuLayout m_Layout;
  std::int64_t m_nFrames = 0;
  int m_nSlotTop = 0;
  DDSurfaceList m_Images;
  SurfaceDefList m_ImageDefs;
};

// A new story game: the progress reset, the hero on the world map's start cell, lap 0 and the
// story mode's lives.
void NewGameReset();
