#include "input/dialogs/boot_dialog.h"

#include "core/boot_settings.h"
#include "core/close_request.h"
#include "core/message_boxes.h"
#include "core/report_log.h"
#include "core/system_ini.h"
#include "data/system_data.h"

void cCheckBox::ToWindow() { owner_->SetChecked(id_, *value_ != 0); }

void cCheckBox::FromWindow() {
  if (const DialogItem* item = owner_->Item(id_)) *value_ = item->checked ? 1 : 0;
}

void cRadioButton::ToWindow() { owner_->SetChecked(id_, *value_ == own_); }

void cRadioButton::FromWindow() {
  const DialogItem* item = owner_->Item(id_);
  if (item != nullptr && item->checked) *value_ = own_;
}

cCheckBox* FindCheckBoxById(std::vector<cCheckBox>& boxes, std::uint16_t id) {
  for (cCheckBox& box : boxes) {
    if (box.itemId == id) return &box;
  }
  DebugBoxF("コントロールID 【%u】 が見つかりません！", static_cast<unsigned>(id));
  PostCloseRequest();
  return nullptr;
}

cBootDialog::cBootDialog(cBootSettings& settings, const char* path)
    : cDialog(BootDialogTemplate(), nullptr), settings_(settings), path_(path) {
  radioButtons_.emplace_back(kDirect3D, &settings_.choice, 1);
  radioButtons_.emplace_back(kDirectDraw, &settings_.choice, 0);
  checkBoxes_.emplace_back(kDontAsk, &settings_.doNotAsk);
  staticTexts_.emplace_back(1005);
  staticTexts_.emplace_back(0xFFFF);
  // Centred on the game's frame, the pointer over the start button.
  SetOrigin(320 - 187, 240 - 136);
  SetFramePointer(320 - 187 + 181, 240 - 136 + 198);
}

void cBootDialog::OnInitDialog() {
  cDialog::OnInitDialog();
  title = SystemData.strTitle;
  for (cRadioButton& radio : radioButtons_) {
    radio.Attach(this, radio.itemId);
    Register(&radio);
  }
  for (cCheckBox& box : checkBoxes_) {
    box.Attach(this, box.itemId);
    Register(&box);
  }
  for (cStaticText& text : staticTexts_) {
    text.Attach(this, text.itemId);
    Register(&text);
  }
  ControlsToWindow();
  if (SystemIni.English != 0) {
    struct English {
      std::uint16_t id;
      const char* text;
    };
    static constexpr English kEnglish[] = {
        {1006, "Drawing mode"},
        {kStart, "Start"},
        {kStop, "Cancel"},
        {1005, "Configure the detail settings at \"System.ini\"."},
        {kDontAsk, "Do not ask this dialog again"},
    };
    for (const English& row : kEnglish) {
      if (DialogItem* item = Item(row.id)) item->text = row.text;
    }
  }
}

void cBootDialog::OnCommand(std::uintptr_t wParam, std::intptr_t lParam) {
  cDialog::OnCommand(wParam, lParam);
  switch (wParam & 0xFFFF) {
    case kStart:
      ControlsFromWindow();
      if (settings_.Save(path_) == 0) Log("%s の保存に失敗しました", path_);
      End(1);
      break;
    case kStop: End(0); break;
    default: break;
  }
}

// "start [direct3d|directdraw] [dontask]" or "stop".
bool cBootDialog::RunScriptLine(const std::vector<std::string>& words) {
  if (words.size() == 1 && words[0] == "stop") {
    Click(kStop);
    return true;
  }
  if (words.empty() || words[0] != "start") return false;
  bool dontAsk = false;
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (words[i] == "direct3d") Click(kDirect3D);
    else if (words[i] == "directdraw") Click(kDirectDraw);
    else if (words[i] == "dontask") dontAsk = true;
    else return false;
  }
  const DialogItem* box = Item(kDontAsk);
  if (box != nullptr && box->checked != dontAsk) Click(kDontAsk);
  Click(kStart);
  return true;
}

// Unanswered, the stored choice starts the game and nothing is saved.
void cBootDialog::TakeDefault() { End(1); }
