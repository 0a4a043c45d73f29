#pragma once

#include <string>
#include <vector>

#include "core/checked_sequence.h"
#include "input/dialogs/dialog.h"
#include "input/dialogs/edit.h"
#include "input/dialogs/file_names.h"
#include "input/dialogs/scroll_ctrl.h"

// What a file chooser asks. Texts CP932.
struct FileChooserRequest {
  std::string title;
  std::string initialFolder;  // relative to the game folder, e.g. "data\stg4\"
  std::string filterName;
  std::string filterPattern;  // e.g. "*.stg4_*;*.rpl4_*"
  std::string defaultExtension;
  bool save = false;
  std::string proposedName;  // save: the name field's first text
  bool several = false;      // open: Ctrl and Shift mark more than one file
};

// The game's own file chooser, inside the game folder: the folder's path, its folders and
// matching files, a name field, the filter, OK and Cancel; the save chooser adds the default
// extension and asks before replacing a file. The result is a CP932 path relative to the game
// folder, with backslashes and the letter case of the disk.
class cFileChooser : public cDialog {
 public:
  explicit cFileChooser(const FileChooserRequest& request);
  void OnInitDialog() override;
  void OnCommand(std::uintptr_t wParam, std::intptr_t lParam) override;
  void PaintExtra(DialogCanvas& canvas) const override;
  bool HandleOwnEvent(const platform::DialogEvent& event) override;

  const std::string& Result() const { return result_; }
  // Every chosen path (one, or each marked file of the folder), each as Result names one.
  const std::vector<std::string>& Results() const { return results_; }
  bool Marked(int index) const;
  const std::string& Folder() const { return folder_; }
  const std::vector<ChooserEntry>& Entries() const { return entries_; }

  static constexpr std::uint16_t kList = 1120;
  static constexpr std::uint16_t kName = 1152;
  static constexpr std::uint16_t kOk = 1;
  static constexpr std::uint16_t kCancel = 2;

 protected:
  const char* ScriptName() const override { return request_.save ? "save" : "open"; }
  bool RunScriptLine(const std::vector<std::string>& words) override;
  void TakeDefault() override { End(0); }

 private:
  bool EnterFolder(const std::string& cp932Folder);
  void Select(int index);
  // Several files: Ctrl toggles one mark, Shift marks the run from the last plain or Ctrl
  // choice; the name field lists the marked names, each in quotes.
  void ToggleMark(int index);
  void MarkRun(int index);
  void ShowMarkedNames();
  bool ConfirmSeveral(const std::vector<std::string>& names);
  void Activate();  // Return or a double click on the list
  // The OK button: false when the name names nothing that can be chosen.
  bool Confirm();
  int VisibleRows() const;
  DialogRect ListRect() const;

  FileChooserRequest request_;
  std::string folder_;  // CP932, "" for the game folder itself
  std::vector<ChooserEntry> entries_;
  int selected_ = -1;
  cScrollCtrl bar_;  // its position is the first row in view
  std::string name_;
  cVector<cEdit> edits_;
  EditBinding binding_;
  std::string result_;
  std::vector<std::string> results_;
  std::vector<int> marked_;  // entry indices, in list order
  int anchor_ = -1;
  std::uint32_t lastClickMs_ = 0;
  int lastClickRow_ = -1;
};

// The choosers the requests run: 1 with the path when one was chosen, else 0. With the
// request's `several` and more than one file chosen, the path is their folder and the list
// receives each file as "folder\name"; with one file it receives that path.
int DDGetOpenFileName(std::string& path, const FileChooserRequest& request, cVector<std::string>* list);
int DDGetSaveFileName(std::string& path, const FileChooserRequest& request, bool keep);
