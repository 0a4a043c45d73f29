#pragma once

#include <cstdint>
#include <vector>

#include "gfx/surface_data.h"
#include "menus/menu_scene.h"

// The options: the 8-bit palette, the music switch, the effects volume, the ranking entry mode
// and the fixed ranking name, each row an enabled entry of the project's option list. A value
// is edited in place with up and down and taken back with button 2; leaving applies the music
// switch and writes user_data\Option.dat.
class cSceneOption : public cMenuScene {
 public:
  cSceneOption();
  ~cSceneOption() override;

  void Init() override;
  void FadeIn() override;
  void Exit() override;

  const std::vector<int>& Rows() const { return m_Rows; }

 private:
  void Main();
  void ChooseRow();
  void EditValue();
  // Up, then down, each wrapping within the value's range and taking effect at once.
  void Step(int by);
  void ApplyEdited();
  void DrawImage();
  void DrawFrame();

  std::vector<int> m_Rows;
  int m_nKind = 0;
  std::int32_t m_nBefore = 0;
  std::int32_t* m_pValue = nullptr;
  std::int32_t m_nMin = 0;
  std::int32_t m_nMax = 0;
  DDSurfaceList m_Images;
  SurfaceDefList m_ImageDefs;
};

// The options' music switch into effect: the music stops or starts again, and the title asks
// for its music anew.
void ApplyBgmOption();

// The effects volume of the options on the first buffer of every sound slot.
void ApplySoundVolume();
