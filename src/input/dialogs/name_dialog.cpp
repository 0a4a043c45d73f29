#include "input/dialogs/name_dialog.h"

#include <memory>
#include <new>

#include "core/message_boxes.h"
#include "core/scene_manager.h"
#include "core/system_ini.h"
#include "input/input_settings.h"

cNameDlg::cNameDlg() : cDialog(NameDialogTemplate(), nullptr) {
  // A popup with a frame and no caption, at the same place of the frame in both modes.
  SetLayout(DialogUnitsToPixelsX(110), DialogUnitsToPixelsY(65), 100, 100, 640, 480, kStyleDialogFrame, 0, 0, 0, 0,
            0);
  SetOrigin(240, 220);
  SetFramePointer(240 + 80, 220 + 65);
  std::string* target = SceneMgr.TitleChoice == 5 ? InputSettings().FixedRankingName()
                        : PlaySceneGlobal != nullptr ? InputSettings().RankingEntryName()
                                                     : nullptr;
  if (target != nullptr) {
    edits.resize(1);
    binding_.Set(kName, target, 3, 1);
  }
}

void cNameDlg::OnInitDialog() {
  cDialog::OnInitDialog();
  for (cEdit& edit : edits) {
    edit.AttachBinding(this, binding_);
    Register(&edit);
  }
  if (!edits.empty()) {
    ControlsToWindow();
    SetFocus(kName);
    edits[0].SelectAll();
  }
  if (SystemIni.English != 0) {
    if (DialogItem* item = Item(1007)) item->text = "     Name";
  }
}

void cNameDlg::OnCommand(std::uintptr_t wParam, std::intptr_t lParam) {
  cDialog::OnCommand(wParam, lParam);
  if ((wParam & 0xFFFF) != kOk) return;
  ControlsFromWindow();
  End(1);
}

// "name TEXT": the text typed character by character into the field (what does not fit is
// refused as it would be on the screen), then OK.
bool cNameDlg::RunScriptLine(const std::vector<std::string>& words) {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i) text += (i == 0 ? "" : " ") + words[i];
  if (!edits.empty()) edits[0].OnText(text);
  Click(kOk);
  return true;
}

void RunNameDialog() {
  std::unique_ptr<cNameDlg> dialog(new (std::nothrow) cNameDlg);
  if (dialog == nullptr) {
    OutOfMemoryExit();
    return;
  }
  dialog->DoModal(0);
}
