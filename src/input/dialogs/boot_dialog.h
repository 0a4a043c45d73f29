#pragma once

#include <cstdint>
#include <vector>

#include "input/dialogs/dialog.h"

class cBootSettings;

class cCheckBox : public cCtrl {
 public:
  cCheckBox(std::uint16_t id, std::int32_t* value) : cCtrl(5), itemId(id), value_(value) {}
  void ToWindow() override;
  void FromWindow() override;
  std::uint16_t itemId;

 private:
  std::int32_t* value_;
};

class cRadioButton : public cCtrl {
 public:
  cRadioButton(std::uint16_t id, std::int32_t* value, std::int32_t own) : cCtrl(6), itemId(id), value_(value), own_(own) {}
  void ToWindow() override;
  void FromWindow() override;
  std::uint16_t itemId;

 private:
  std::int32_t* value_;
  std::int32_t own_;
};

class cStaticText : public cCtrl {
 public:
  explicit cStaticText(std::uint16_t id) : cCtrl(0), itemId(id) {}
  std::uint16_t itemId;
};

// The check box with that control id; none, said and the program asked to close, when the
// vector holds no such box.
cCheckBox* FindCheckBoxById(std::vector<cCheckBox>& boxes, std::uint16_t id);

// The start-up question: Direct3D or DirectDraw, whether to ask again, start or stop. It
// edits `settings` and saves them to `path` when the player starts. Result 1 start, 0 stop.
class cBootDialog : public cDialog {
 public:
  cBootDialog(cBootSettings& settings, const char* path);
  void OnInitDialog() override;
  void OnCommand(std::uintptr_t wParam, std::intptr_t lParam) override;

  static constexpr std::uint16_t kStart = 1000;
  static constexpr std::uint16_t kStop = 1001;
  static constexpr std::uint16_t kDirect3D = 1002;
  static constexpr std::uint16_t kDirectDraw = 1003;
  static constexpr std::uint16_t kDontAsk = 1004;

 protected:
  const char* ScriptName() const override { return "boot"; }
  bool RunScriptLine(const std::vector<std::string>& words) override;
  void TakeDefault() override;

 private:
  cBootSettings& settings_;
  const char* path_;
  std::vector<cCheckBox> checkBoxes_;
  std::vector<cRadioButton> radioButtons_;
  std::vector<cStaticText> staticTexts_;
};
