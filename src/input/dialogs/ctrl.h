#pragma once

#include <cstdint>
#include <string>

class cDialog;

// A dialog item bound to program data. Kinds: 0 static, 2 and 3 edits, 4 picture, 5 check
// box, 6 radio button, 7 and 8 lists, 11 scroll bar.
class cCtrl {
 public:
  explicit cCtrl(int kind) : kind_(kind) {}
  virtual ~cCtrl() = default;
  virtual void Enable(bool enable);
  virtual void ToWindow() {}
  virtual void FromWindow() {}
  virtual void OnChange() {}
  virtual int OnNotify(int /*code*/, std::intptr_t /*lParam*/) { return 0; }
  virtual int OnScroll(int /*code*/, std::intptr_t /*lParam*/) { return 0; }
  virtual void Refresh() {}
  virtual void OnKillFocus() {}
  virtual void AfterCommand() {}
  virtual void OnKeyDown(int /*key*/, std::intptr_t /*lParam*/, bool /*control*/) {}

  void Attach(cDialog* owner, std::uint16_t id);
  void SetText(const std::string& text);

  int Kind() const { return kind_; }
  std::uint16_t Id() const { return id_; }

 protected:
  cDialog* owner_ = nullptr;
  std::uint16_t id_ = 0;

 private:
  int kind_;
};

// A control with a binding mode (the edits).
class cBoundCtrl : public cCtrl {
 public:
  using cCtrl::cCtrl;
  int bindingMode = 0;
};
