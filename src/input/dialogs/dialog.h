#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/checked_sequence.h"
#include "input/dialogs/ctrl.h"
#include "input/dialogs/dialog_canvas.h"
#include "input/dialogs/dialog_template.h"
#include "input/dialogs/image_ctrl.h"
#include "input/dialogs/wnd.h"
#include "input/dialogs/wnd_messages.h"
#include "platform/input/dialog_events.h"

// The live state of one dialog item.
struct DialogItem {
  const DialogItemTemplate* source = nullptr;
  std::string text;
  bool checked = false;
  bool enabled = true;
};

// Button notification codes of WM_COMMAND's high word.
inline constexpr int kClicked = 0;

// A modal dialog of the toolkit, built from a template, with data-bound controls. Its run
// (DoModal) answers from the dialog script when one is active, else on the screen.
class cDialog : public cWnd {
 public:
  cDialog(const DialogTemplate& dialogTemplate, cWnd* owner);
  ~cDialog() override;

  // The result given to End; 0 when the dialog is already open. Flags: 2 hides and 4
  // disables the registered windows while it runs.
  int DoModal(int flags);
  // Opens the dialog without running it (modeless): it joins the window registry, and leaves
  // it when the object goes.
  void Create();
  void End(int result);
  virtual void OnInitDialog();
  void OnCommand(std::uintptr_t wParam, std::intptr_t lParam) override;
  int DefHandler(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::intptr_t WindowProc(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;
  void ControlsToWindow();
  void ControlsFromWindow();
  void Register(cCtrl* control) { controls_.push_back(control); }

  // What a user does to the dialog, as the screen and the script both do it.
  void Click(std::uint16_t id);
  void SetChecked(std::uint16_t id, bool checked);
  void Close() { WindowProc(wm::WM_CLOSE, 0, 0); }

  DialogItem* Item(std::uint16_t id);
  const DialogItem* Item(std::uint16_t id) const { return const_cast<cDialog*>(this)->Item(id); }

  // The screen's side: one event of the keyboard or the mouse, and the dialog's picture.
  void HandleEvent(const platform::DialogEvent& event);
  // The events of one pass of the screen's loop: a Return in the batch that closed a
  // composition belongs to the input method.
  void HandleBatch(const std::vector<platform::DialogEvent>& events);
  void Paint(DialogCanvas& canvas) const;
  // A dialog's own items (a file list) drawn over the common ones.
  virtual void PaintExtra(DialogCanvas& /*canvas*/) const {}
  // A dialog's own handling of an event before the common one; true when it took it.
  virtual bool HandleOwnEvent(const platform::DialogEvent& /*event*/) { return false; }
  void MarkDirty() { dirty_ = true; }
  // Where an item stands in the frame.
  DialogRect ItemRect(const DialogItem& item) const;
  DialogRect WindowRect() const { return DialogRect{posX_, posY_, windowWidth_, windowHeight_}; }
  // The id of the item with the focus; 0 when none has it.
  std::uint16_t FocusedId() const;
  // The control of that kind bound to the item, if any.
  cCtrl* Control(std::uint16_t id, int kind) const;
  void SetFocus(std::uint16_t id);

  std::string title;
  bool modeless() const { return modeless_; }
  cImageCtrl& Picture() { return picture_; }
  bool ended() const { return ended_; }
  int result() const { return result_; }

 protected:
  // The dialog script's word for this dialog ("boot"), and how it carries out the rest of
  // its line; false when the line does not fit.
  virtual const char* ScriptName() const = 0;
  virtual bool RunScriptLine(const std::vector<std::string>& words) = 0;
  // What an unanswered dialog does: the missing or mismatched script line, or a screen that
  // cannot show it.
  virtual void TakeDefault() = 0;

 private:
  // False when the script's line was "keys": the screen's run, fed by the input script.
  bool RunFromScript();
  void RunOnScreen();
  void Paint() const;
  bool Focusable(const DialogItem& item) const;
  void MoveFocus(int step);
  void MoveRadio(int step);
  void PressFocused();
  int ItemAt(int x, int y) const;

  const DialogTemplate& template_;
  std::vector<DialogItem> items_;
  cVector<cCtrl*> controls_;
  int result_ = 0;
  bool ended_ = false;
  void RestoreRegistered() const;
  void BuildItems();

  int flags_ = 0;
  bool modeless_ = false;
  cImageCtrl picture_;
  int focus_ = -1;
  int pressed_ = -1;
  bool dirty_ = true;  // the picture no longer shows the state
  bool batchComposition_ = false;
};
