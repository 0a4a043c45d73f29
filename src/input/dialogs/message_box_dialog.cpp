#include "input/dialogs/message_box_dialog.h"

#include <algorithm>

#include "core/main_window.h"
#include "core/message_boxes.h"
#include "input/dialogs/dialog_text.h"
#include "platform/backend_choice.h"
#include "platform/message_queue.h"
#include "platform/window/window.h"

namespace {

// Frame pixels to dialog units, rounding up so that nothing is cut.
int UnitsX(int pixels) { return (pixels * 3 + 4) / 5; }
int UnitsY(int pixels) { return (pixels * 2 + 2) / 3; }

constexpr int kMargin = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kGap = 8;

}  // namespace

MessageBoxLayout::MessageBoxLayout(std::string_view text, platform::BoxButtons buttons) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  const cDialogText& writer = DialogText();
  int textWidth = 0;
  for (const std::string& line : lines) textWidth = std::max(textWidth, writer.Measure(line));
  const int lineHeight = writer.Height() + 2;
  const int buttonCount = buttons == platform::BoxButtons::Ok ? 1 : 2;
  const int buttonsWidth = buttonCount * kButtonWidth + (buttonCount - 1) * kGap;
  // The box fits in the frame beside its own edges; longer lines are cut by the frame.
  const int width = std::clamp(std::max(textWidth, buttonsWidth) + 2 * kMargin, 160, 620);
  const int height = std::min(kMargin + static_cast<int>(lines.size()) * lineHeight + kMargin + kButtonHeight + kMargin,
                              440);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    items.push_back(DialogItemTemplate{0xFFFF, ItemKind::Static, lines[i].c_str(), UnitsX(kMargin),
                                       UnitsY(kMargin + static_cast<int>(i) * lineHeight), UnitsX(width - 2 * kMargin),
                                       UnitsY(lineHeight)});
  }
  const int buttonY = height - kMargin - kButtonHeight;
  int buttonX = (width - buttonsWidth) / 2;
  const auto addButton = [&](std::uint16_t id, ItemKind kind, const char* label) {
    items.push_back(DialogItemTemplate{id, kind, label, UnitsX(buttonX), UnitsY(buttonY), UnitsX(kButtonWidth),
                                       UnitsY(kButtonHeight)});
    buttonX += kButtonWidth + kGap;
  };
  if (buttons == platform::BoxButtons::Ok) {
    addButton(cMessageBoxDialog::kOk, ItemKind::DefaultButton, "OK");
  } else {
    addButton(cMessageBoxDialog::kYes, ItemKind::DefaultButton, "はい");
    addButton(cMessageBoxDialog::kNo, ItemKind::Button, "いいえ");
  }
  dialogTemplate = DialogTemplate{0, UnitsX(width), UnitsY(height), items};
}

cMessageBoxDialog::cMessageBoxDialog(std::string_view text, std::string_view caption, platform::BoxButtons buttons)
    : MessageBoxLayout(text, buttons), cDialog(dialogTemplate, nullptr), buttons_(buttons) {
  title = std::string(caption);
  // Centred in the frame.
  SetOrigin((kFrameWidth - WindowWidth()) / 2, (kFrameHeight - WindowHeight()) / 2);
}

platform::BoxAnswer cMessageBoxDialog::Ask() {
  const int result = DoModal(0);
  if (result == kYes) return platform::BoxAnswer::Yes;
  if (result == kNo) return platform::BoxAnswer::No;
  return buttons_ == platform::BoxButtons::Ok ? platform::BoxAnswer::Ok : platform::BoxAnswer::No;
}

void cMessageBoxDialog::OnCommand(std::uintptr_t wParam, std::intptr_t lParam) {
  cDialog::OnCommand(wParam, lParam);
  const int id = static_cast<int>(wParam & 0xFFFF);
  // Escape (2) answers an OK box; a Yes/No box wants one of its answers.
  if (id == kOk || id == kYes || id == kNo) End(id);
  if (id == 2 && buttons_ == platform::BoxButtons::Ok) End(kOk);
}

// "box yes", "box no" or "box ok".
bool cMessageBoxDialog::RunScriptLine(const std::vector<std::string>& words) {
  if (words.size() != 1) return false;
  const bool ok = buttons_ == platform::BoxButtons::Ok;
  if (words[0] == "ok" && ok) Click(kOk);
  else if (words[0] == "yes" && !ok) Click(kYes);
  else if (words[0] == "no" && !ok) Click(kNo);
  else return false;
  return true;
}

void InstallWindowMessageBoxes() {
  SetWindowBoxPresenter([](std::string_view text, std::string_view caption,
                           platform::BoxButtons buttons) -> std::optional<platform::BoxAnswer> {
    // Headless boxes keep their scripted answers; a box of another thread, or before the
    // window, is the platform's.
    if (platform::WindowBackend() == platform::Backend::Null) return std::nullopt;
    if (!platform::MainQueue().OnOwnerThread() || !MainWindow.Window().Exists()) return std::nullopt;
    MainWindow.Window().Show(platform::SW_SHOWNORMAL);
    cMessageBoxDialog box(text, caption, buttons);
    return box.Ask();
  });
}
