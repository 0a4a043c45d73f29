#pragma once

#include <vector>

#include "menus/menu_scene.h"

// The world map's menu: save the story into a slot, switch auto-save, back to the map, or to
// the title after a question; the story total in a box when the project shows it.
class cSceneWorldMenu : public cMenuScene {
 public:
  cSceneWorldMenu();
  ~cSceneWorldMenu() override;

  void Init() override;
  void FadeIn() override;
  void Exit() override;

  const std::vector<int>& Rows() const { return m_Rows; }
  int SlotTop() const { return m_nSlotTop; }

 private:
  void Menu();
  void Save();
  void AutoSave();
  void Back();
  void ToTitle();
  void DrawMenuScreen();
  // Back to the menu from a question or a list: the level popped, its row kept.
  void BackToMenu();
  // One frame of a two-answer question at y: the row chosen with button 1, kCancelled after
  // button 2 (back in the menu), or kAsking while it is asked (and drawn).
  static constexpr int kAsking = -1;
  static constexpr int kCancelled = -2;
  int Ask(int first, int y);

  std::vector<int> m_Rows;
  int m_nSlotTop = 0;
};

// The story total in its box: interface text 4 and the sum, centred on x = 320 at y 260, when
// the project shows it and the sum is positive; its width (0 when not shown).
int DrawStoryTotal();
