#include "input/dialogs/dialog.h"

#include <sstream>

#include "core/message_boxes.h"
#include "core/report_log.h"
#include "input/dialogs/dialog_script.h"
#include "input/dialogs/wnd_registry.h"
#include "input/dialogs/wnd_messages.h"
#include "platform/backend_choice.h"

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream stream(line);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

}  // namespace

cDialog::cDialog(const DialogTemplate& dialogTemplate, cWnd* owner) : template_(dialogTemplate) {
  SetLayout(DialogUnitsToPixelsX(dialogTemplate.width), DialogUnitsToPixelsY(dialogTemplate.height), 100, 100, 640,
            480, kStyleCaption | kStyleDialogFrame, 0, 0, 0, 0, 0);
  SetOwner(owner, false);
}

cDialog::~cDialog() {
  if (!modeless_) return;
  if (exists) End(0);
  if (!WndRegistry.Remove(this)) ErrorBox("ウインドウの破棄に失敗！");
}

void cDialog::BuildItems() {
  items_.clear();
  for (const DialogItemTemplate& row : template_.items) items_.push_back(DialogItem{&row, row.text, false, true});
}

void cDialog::Create() {
  if (exists) return;
  modeless_ = true;
  ended_ = false;
  BuildItems();
  exists = true;
  focus_ = pressed_ = -1;
  WindowProc(wm::WM_INITDIALOG, 0, 0);
}

void cDialog::RestoreRegistered() const {
  if ((flags_ & 2) != 0) WndRegistry.ShowAll(true);
  if ((flags_ & 4) != 0) WndRegistry.EnableAll(true);
}

DialogItem* cDialog::Item(std::uint16_t id) {
  for (DialogItem& item : items_) {
    if (item.source->id == id) return &item;
  }
  return nullptr;
}

int cDialog::DoModal(int flags) {
  if (exists) return 0;
  End(0);
  if (modeless_) WndRegistry.Remove(this);
  modeless_ = false;
  flags_ = flags;
  ended_ = false;
  if ((flags & 2) != 0) WndRegistry.ShowAll(false);
  if ((flags & 4) != 0) WndRegistry.EnableAll(false);
  BuildItems();
  exists = true;
  focus_ = pressed_ = -1;
  WindowProc(wm::WM_INITDIALOG, 0, 0);
  // The first focus: the set radio button, else the first control that takes it.
  for (std::size_t i = 0; i < items_.size() && focus_ < 0; ++i) {
    if (items_[i].source->kind == ItemKind::Radio && items_[i].checked) focus_ = static_cast<int>(i);
  }
  if (focus_ < 0) MoveFocus(1);
  const bool scripted = DialogScriptActive();
  // Without a display and without a script nobody could answer: the default, unsaid.
  if (scripted ? !RunFromScript() : platform::WindowBackend() == platform::Backend::Native) RunOnScreen();
  if (!ended_) TakeDefault();
  exists = false;
  RestoreRegistered();
  return result_;
}

bool cDialog::RunFromScript() {
  const std::optional<std::string> line = NextDialogScriptLine();
  if (!line.has_value()) {
    Log("dialog script: no line for the %s dialog; it takes its default", ScriptName());
    return true;
  }
  const std::vector<std::string> words = Words(*line);
  if (words.size() == 1 && words[0] == "keys") return false;
  if (words.size() == 1 && words[0] == "close") {
    Close();
    return true;
  }
  if (words.empty() || words[0] != ScriptName() ||
      !RunScriptLine(std::vector<std::string>(words.begin() + 1, words.end()))) {
    Log("dialog script: \"%s\" does not answer the %s dialog; it takes its default", line->c_str(), ScriptName());
  }
  return true;
}

void cDialog::End(int result) {
  result_ = result;
  controls_.clear();
  ended_ = true;
  // A modeless dialog's window goes at once; a modal one's when its run returns.
  if (modeless_ && exists) {
    exists = false;
    WindowProc(wm::WM_DESTROY, 0, 0);
  }
}

void cDialog::OnInitDialog() {
  controls_.clear();
  if (modeless_) WndRegistry.Add(this);
  Metrics();
  Place();
  GetCursorClient(false, 7);
}

void cDialog::OnCommand(std::uintptr_t wParam, std::intptr_t /*lParam*/) {
  const int id = static_cast<int>(wParam & 0xFFFF);
  const int code = static_cast<int>((wParam >> 16) & 0xFFFF);
  for (cCtrl* control : controls_) {
    if (control->Id() != id) continue;
    const int kind = control->Kind();
    if ((kind == 2 || kind == 3) && code == 0x400) {
      control->OnChange();
      break;
    }
    if ((kind == 2 || kind == 3) && code == 0x200) {
      control->OnKillFocus();
      break;
    }
    if ((kind == 7 || kind == 8) && code == 1) {
      control->OnChange();
      break;
    }
    if (kind == 8 && code == 5) {
      control->OnKillFocus();
      break;
    }
  }
  for (cCtrl* control : controls_) {
    if (control->Kind() == 8) control->AfterCommand();
  }
}

int cDialog::DefHandler(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  const int handled = cWnd::DefHandler(msg, wParam, lParam);
  if (msg == wm::WM_INITDIALOG) OnInitDialog();
  if (msg == wm::WM_DESTROY) RestoreRegistered();
  if (msg == wm::kNavKey) DefHandler(wm::WM_KEYDOWN, wParam, lParam);
  return handled;
}

std::intptr_t cDialog::WindowProc(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  const int handled = DefHandler(msg, wParam, lParam);
  if (msg == wm::WM_DESTROY) return 1;
  if (msg == wm::WM_CLOSE) {
    End(0);
    return 1;
  }
  return handled;
}

void cDialog::ControlsToWindow() {
  for (cCtrl* control : controls_) control->ToWindow();
}

void cDialog::ControlsFromWindow() {
  for (cCtrl* control : controls_) control->FromWindow();
}

void cDialog::Click(std::uint16_t id) {
  DialogItem* item = Item(id);
  if (item == nullptr || !item->enabled) return;
  dirty_ = true;
  switch (item->source->kind) {
    case ItemKind::Radio:
      // Auto radio buttons: the clicked one is set, the others of the dialog clear.
      for (DialogItem& other : items_) {
        if (other.source->kind == ItemKind::Radio) other.checked = &other == item;
      }
      break;
    case ItemKind::CheckBox: item->checked = !item->checked; break;
    default: break;
  }
  WindowProc(wm::WM_COMMAND, static_cast<std::uintptr_t>(id) | (static_cast<std::uintptr_t>(kClicked) << 16), 0);
}

void cDialog::SetChecked(std::uint16_t id, bool checked) {
  if (DialogItem* item = Item(id)) item->checked = checked;
  dirty_ = true;
}

void cCtrl::Attach(cDialog* owner, std::uint16_t id) {
  owner_ = owner;
  id_ = id;
}

void cCtrl::Enable(bool enable) {
  if (owner_ == nullptr) return;
  if (DialogItem* item = owner_->Item(id_)) item->enabled = enable;
}

void cCtrl::SetText(const std::string& text) {
  if (owner_ == nullptr) return;
  if (DialogItem* item = owner_->Item(id_)) item->text = text;
}
