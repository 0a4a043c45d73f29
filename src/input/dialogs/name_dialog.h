#pragma once

#include <string>
#include <vector>

#include "core/checked_sequence.h"
#include "input/dialogs/dialog.h"
#include "input/dialogs/edit.h"

// The ranking-name question: one field of three characters and OK, no cancel. It edits the
// options' fixed name while the options scene runs, else the play scene's ranking entry.
class cNameDlg : public cDialog {
 public:
  cNameDlg();
  void OnInitDialog() override;
  void OnCommand(std::uintptr_t wParam, std::intptr_t lParam) override;

  static constexpr std::uint16_t kOk = 1000;
  static constexpr std::uint16_t kName = 1003;

  cVector<cEdit> edits;

 private:
  EditBinding binding_;

 protected:
  const char* ScriptName() const override { return "name"; }
  bool RunScriptLine(const std::vector<std::string>& words) override;
  // Unanswered, the name is kept.
  void TakeDefault() override { End(0); }
};

// The dialog the request of the ranking name runs; one that cannot be made is reported as
// exhausted memory and the request still finishes.
void RunNameDialog();
