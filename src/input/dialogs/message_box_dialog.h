#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/dialogs/dialog.h"
#include "platform/message_box.h"

// The items of a box, laid out from its text before the dialog is built on them.
struct MessageBoxLayout {
  MessageBoxLayout(std::string_view text, platform::BoxButtons buttons);
  std::vector<std::string> lines;
  std::vector<DialogItemTemplate> items;
  DialogTemplate dialogTemplate{0, 0, 0, {}};
};

// An OK or Yes/No box drawn by the dialogs in the game's window, answered by the keyboard or
// the mouse. Closing it answers OK or No.
class cMessageBoxDialog : private MessageBoxLayout, public cDialog {
 public:
  cMessageBoxDialog(std::string_view text, std::string_view caption, platform::BoxButtons buttons);
  platform::BoxAnswer Ask();
  void OnCommand(std::uintptr_t wParam, std::intptr_t lParam) override;

  static constexpr std::uint16_t kOk = 1;
  static constexpr std::uint16_t kYes = 6;
  static constexpr std::uint16_t kNo = 7;

 protected:
  const char* ScriptName() const override { return "box"; }
  bool RunScriptLine(const std::vector<std::string>& words) override;
  void TakeDefault() override { End(0); }

 private:
  platform::BoxButtons buttons_;
};

// Connects the boxes of the program to the game's window: asked on the main thread while the
// window exists and can show them; elsewhere the platform's box answers.
void InstallWindowMessageBoxes();
