#pragma once

#include <cstdint>
#include <string>

#include "input/dialogs/ctrl.h"
#include "input/dialogs/edit_change.h"

// What an edit control is bound to: the string it edits and its limits.
struct EditBinding {
  std::uint16_t id = 0;
  std::string* text = nullptr;
  int size = 0;
  int charsPerLine = 0;
  int lines = 0;
  int countChars = 0;
  int reserved[4] = {};
  // Size max + 1; with `count` a double-byte character counts as one, and the line holds max.
  void Set(std::uint16_t itemId, std::string* target, int max, int count);
};

// An edit field bound to a string: typing, the input method's composition, paste, the caret,
// and the line limits of its binding on every change.
class cEdit : public cBoundCtrl {
 public:
  cEdit() : cBoundCtrl(3) {}
  void AttachBinding(cDialog* owner, const EditBinding& binding);
  void ToWindow() override;
  void FromWindow() override;
  void OnChange() override;
  void OnKeyDown(int key, std::intptr_t lParam, bool control) override;

  // Text committed by the keyboard or the input method (UTF-8); a character without a CP932
  // form is refused. Each character is one change, as typing makes it.
  void OnText(std::string_view utf8);
  // The composition being typed (UTF-8), shown at the caret but not yet text; "" ends it.
  void OnComposition(std::string_view utf8) { composition_ = std::string(utf8); }
  bool Composing() const { return !composition_.empty(); }
  void SelectAll();

  const std::string& Shown() const;
  const std::string& Composition() const { return composition_; }
  EditSelection Selection() const { return selection_; }

 private:
  // Puts `text` where the selection is, as one change.
  void Replace(const std::string& text, bool backspace);
  void Show(const std::string& text);

  EditBinding binding_;
  std::string lastAccepted_;
  EditSelection selection_;
  std::string composition_;
  bool initialising_ = false;
  bool busy_ = false;
  bool backspace_ = false;
  bool refused_ = false;
};
