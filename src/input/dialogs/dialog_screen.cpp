// The dialog on the screen: its picture over the game's frame, the keyboard and the mouse,
// and the modal run on the main thread.

#include <algorithm>

#include "core/close_request.h"
#include "core/message_pump.h"
#include "input/dialogs/dialog.h"
#include "input/dialogs/edit.h"
#include "input/dialogs/hook.h"
#include "input/dialogs/dialog_text.h"
#include "platform/input/input_script.h"
#include "platform/input/key_flags.h"
#include "platform/input/virtual_keys.h"
#include "platform/process/termination_signal.h"
#include "platform/text_codec.h"
#include "platform/video/frame_overlay.h"

namespace {

namespace vk = platform::vk;
using namespace dialog_colours;

// A round 12-pixel mark, sunken like the check box: shadow on the upper left, light on the
// lower right, a dot when set.
void DrawRadioMark(DialogCanvas& canvas, int x, int y, bool set, std::uint32_t ink) {
  for (int j = 0; j < 12; ++j) {
    for (int i = 0; i < 12; ++i) {
      const int dx = 2 * i - 11, dy = 2 * j - 11;  // twice the offset from the centre
      const int d = dx * dx + dy * dy;
      if (d > 144) continue;
      std::uint32_t colour = kWindow;
      if (d > 80) colour = dx + dy < 0 ? kShadow : kLight;
      if (set && d <= 24) colour = ink;
      canvas.Pixel(x + i, y + j, colour);
    }
  }
}

constexpr std::uint16_t kIdCancel = 2;

bool IsPushButton(ItemKind kind) { return kind == ItemKind::Button || kind == ItemKind::DefaultButton; }

}  // namespace

DialogRect cDialog::ItemRect(const DialogItem& item) const {
  const DialogItemTemplate& row = *item.source;
  return DialogRect{posX_ + frameLeft_ + DialogUnitsToPixelsX(row.x), posY_ + frameTop_ + DialogUnitsToPixelsY(row.y),
                    DialogUnitsToPixelsX(row.width), DialogUnitsToPixelsY(row.height)};
}

std::uint16_t cDialog::FocusedId() const {
  return focus_ >= 0 && focus_ < static_cast<int>(items_.size()) ? items_[static_cast<std::size_t>(focus_)].source->id
                                                                  : 0;
}

bool cDialog::Focusable(const DialogItem& item) const {
  if (!item.enabled) return false;
  switch (item.source->kind) {
    case ItemKind::Button:
    case ItemKind::DefaultButton:
    case ItemKind::CheckBox:
    case ItemKind::Edit:
    case ItemKind::List: return true;
    case ItemKind::Radio: return item.checked;  // the group is one stop, at its set button
    default: return false;
  }
}

void cDialog::MoveFocus(int step) {
  const int count = static_cast<int>(items_.size());
  if (count == 0) return;
  int index = focus_ < 0 ? (step > 0 ? -1 : 0) : focus_;
  for (int tries = 0; tries < count; ++tries) {
    index = (index + step + count) % count;
    if (Focusable(items_[static_cast<std::size_t>(index)])) {
      focus_ = index;
      dirty_ = true;
      return;
    }
  }
}

void cDialog::MoveRadio(int step) {
  const int count = static_cast<int>(items_.size());
  int index = focus_;
  for (int tries = 0; tries < count; ++tries) {
    index = (index + step + count) % count;
    const DialogItem& item = items_[static_cast<std::size_t>(index)];
    if (item.source->kind != ItemKind::Radio || !item.enabled) continue;
    focus_ = index;
    Click(item.source->id);
    dirty_ = true;
    return;
  }
}

void cDialog::PressFocused() {
  if (focus_ < 0) return;
  const DialogItem& item = items_[static_cast<std::size_t>(focus_)];
  const ItemKind kind = item.source->kind;
  if (IsPushButton(kind) || kind == ItemKind::CheckBox || kind == ItemKind::Radio) Click(item.source->id);
  dirty_ = true;
}

int cDialog::ItemAt(int x, int y) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const ItemKind kind = items_[i].source->kind;
    const bool clickable = IsPushButton(kind) || kind == ItemKind::CheckBox || kind == ItemKind::Radio;
    if (clickable && items_[i].enabled && ItemRect(items_[i]).Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

cCtrl* cDialog::Control(std::uint16_t id, int kind) const {
  for (cCtrl* control : controls_) {
    if (control->Id() == id && control->Kind() == kind) return control;
  }
  return nullptr;
}

void cDialog::SetFocus(std::uint16_t id) {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].source->id == id) focus_ = static_cast<int>(i);
  }
  dirty_ = true;
}

void cDialog::HandleBatch(const std::vector<platform::DialogEvent>& events) {
  const auto* edit = static_cast<const cEdit*>(Control(FocusedId(), 3));
  batchComposition_ = edit != nullptr && edit->Composing();
  for (const platform::DialogEvent& event : events) {
    HandleEvent(event);
    if (ended_) break;
  }
  batchComposition_ = false;
}

void cDialog::HandleEvent(const platform::DialogEvent& event) {
  using Kind = platform::DialogEvent::Kind;
  if (HandleOwnEvent(event)) {
    dirty_ = true;
    return;
  }
  auto* edit = static_cast<cEdit*>(Control(FocusedId(), 3));
  switch (event.kind) {
    case Kind::Text:
      if (edit != nullptr) edit->OnText(event.text);
      dirty_ = true;
      return;
    case Kind::Composition:
      batchComposition_ = true;
      if (edit != nullptr) edit->OnComposition(event.text);
      dirty_ = true;
      return;
    default: break;
  }
  if (event.kind == Kind::KeyDown) {
    switch (cHook::Route(event.virtualKey, edit != nullptr, edit != nullptr && edit->Composing(), batchComposition_)) {
      case KeyRoute::InputMethod: return;
      case KeyRoute::Edit:
        edit->OnKeyDown(event.virtualKey, 0, event.control);
        dirty_ = true;
        return;
      case KeyRoute::Dialog: break;
    }
  }
  switch (event.kind) {
    case Kind::KeyDown: {
      const bool onRadio = focus_ >= 0 && items_[static_cast<std::size_t>(focus_)].source->kind == ItemKind::Radio;
      switch (event.virtualKey) {
        case vk::kTab: MoveFocus(platform::IsKeyDown(vk::kShift) ? -1 : 1); break;
        case vk::kLeft:
        case vk::kUp: onRadio ? MoveRadio(-1) : MoveFocus(-1); break;
        case vk::kRight:
        case vk::kDown: onRadio ? MoveRadio(1) : MoveFocus(1); break;
        case vk::kSpace:
          if (!event.repeat) PressFocused();
          break;
        case vk::kReturn: {
          if (event.repeat) break;
          if (focus_ >= 0 && IsPushButton(items_[static_cast<std::size_t>(focus_)].source->kind)) {
            PressFocused();
            break;
          }
          for (const DialogItem& item : items_) {
            if (item.source->kind == ItemKind::DefaultButton && item.enabled) {
              Click(item.source->id);
              break;
            }
          }
          break;
        }
        case vk::kEscape:
          if (!event.repeat) WindowProc(wm::WM_COMMAND, kIdCancel, 0);
          break;
        default: break;
      }
      break;
    }
    case Kind::MouseMove: SetFramePointer(event.x, event.y); break;
    case Kind::MouseDown:
      SetFramePointer(event.x, event.y);
      if (event.virtualKey != vk::kLeftButton) break;
      pressed_ = ItemAt(event.x, event.y);
      if (pressed_ >= 0) {
        const DialogItem& item = items_[static_cast<std::size_t>(pressed_)];
        if (item.source->kind != ItemKind::Radio || item.checked) focus_ = pressed_;
      }
      dirty_ = true;
      break;
    case Kind::MouseUp:
      SetFramePointer(event.x, event.y);
      if (event.virtualKey != vk::kLeftButton || pressed_ < 0) break;
      if (ItemAt(event.x, event.y) == pressed_) {
        const DialogItem& item = items_[static_cast<std::size_t>(pressed_)];
        const std::uint16_t id = item.source->id;
        if (item.source->kind == ItemKind::Radio) focus_ = pressed_;
        pressed_ = -1;
        Click(id);
      }
      pressed_ = -1;
      dirty_ = true;
      break;
    case Kind::Close: Close(); break;
    default: break;
  }
}

void cDialog::Paint(DialogCanvas& canvas) const {
  const cDialogText& text = DialogText();
  const int textHeight = text.Height();
  canvas.Clear();
  const DialogRect window = WindowRect();
  canvas.Fill(window, kFace);
  canvas.Bevel(window, true);
  if ((style_ & kStyleCaption) == kStyleCaption) {
    const DialogRect caption{window.x + kDialogFrame, window.y + kDialogFrame, window.width - 2 * kDialogFrame,
                             kCaptionHeight - 1};
    canvas.Fill(caption, kCaption);
    text.Draw(canvas, caption.x + 4, caption.y + (caption.height - textHeight) / 2, title, kCaptionText);
  }

  for (std::size_t i = 0; i < items_.size(); ++i) {
    const DialogItem& item = items_[i];
    const DialogRect r = ItemRect(item);
    const std::uint32_t ink = item.enabled ? kText : kGreyText;
    const bool focused = static_cast<int>(i) == focus_;
    const int middle = r.y + (r.height - textHeight) / 2;
    switch (item.source->kind) {
      case ItemKind::Button:
      case ItemKind::DefaultButton: {
        const bool down = static_cast<int>(i) == pressed_;
        DialogRect face = r;
        if (item.source->kind == ItemKind::DefaultButton || focused) {
          canvas.Outline(r, kText);
          face = DialogRect{r.x + 1, r.y + 1, r.width - 2, r.height - 2};
        }
        canvas.Bevel(face, !down);
        const int width = text.Measure(item.text);
        const int shift = down ? 1 : 0;
        text.Draw(canvas, r.x + (r.width - width) / 2 + shift, middle + shift, item.text, ink);
        if (focused) canvas.Outline(DialogRect{r.x + 4, r.y + 4, r.width - 8, r.height - 8}, kText, true);
        break;
      }
      case ItemKind::GroupBox: {
        const DialogRect frame{r.x, r.y + textHeight / 2, r.width, r.height - textHeight / 2};
        canvas.Outline(frame, kShadow);
        canvas.Outline(DialogRect{frame.x + 1, frame.y + 1, frame.width, frame.height}, kLight);
        const int width = text.Measure(item.text);
        canvas.Fill(DialogRect{r.x + 6, r.y, width + 4, textHeight}, kFace);
        text.Draw(canvas, r.x + 8, r.y, item.text, ink);
        break;
      }
      case ItemKind::Radio:
      case ItemKind::CheckBox: {
        const DialogRect box{r.x, r.y + (r.height - 12) / 2, 12, 12};
        if (item.source->kind == ItemKind::Radio) {
          DrawRadioMark(canvas, box.x, box.y, item.checked, ink);
        } else {
          canvas.Fill(box, kWindow);
          canvas.Bevel(box, false);
        }
        if (item.checked && item.source->kind == ItemKind::CheckBox) {
          for (int k = 0; k < 3; ++k) canvas.Fill(DialogRect{box.x + 3 + k, box.y + 5 + k, 1, 3}, ink);
          for (int k = 0; k < 4; ++k) canvas.Fill(DialogRect{box.x + 6 + k, box.y + 6 - k, 1, 3}, ink);
        }
        text.Draw(canvas, r.x + 16, middle, item.text, ink);
        if (focused) {
          canvas.Outline(DialogRect{r.x + 14, middle - 1, text.Measure(item.text) + 4, textHeight + 2}, kText, true);
        }
        break;
      }
      case ItemKind::Static: text.Draw(canvas, r.x, r.y, item.text, ink); break;
      case ItemKind::Edit: {
        canvas.Fill(r, kWindow);
        canvas.Bevel(r, false);
        const auto* edit = static_cast<const cEdit*>(Control(item.source->id, 3));
        const EditSelection selection = edit != nullptr ? edit->Selection() : EditSelection{};
        const int size = static_cast<int>(item.text.size());
        const int from = std::clamp(std::min(selection.start, selection.end), 0, size);
        const int to = std::clamp(std::max(selection.start, selection.end), 0, size);
        const int x0 = r.x + 3;
        const std::string_view shown = item.text;
        const int selX = x0 + text.Measure(shown.substr(0, static_cast<std::size_t>(from)));
        const int selW = text.Measure(shown.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
        if (focused && selW > 0) canvas.Fill(DialogRect{selX, middle, selW, textHeight}, kSelection);
        text.Draw(canvas, x0, middle, shown.substr(0, static_cast<std::size_t>(from)), ink);
        text.Draw(canvas, selX, middle, shown.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)),
                  focused ? kCaptionText : ink);
        int x = selX + selW;
        // The composition sits at the caret, underlined, until it is committed.
        if (edit != nullptr && edit->Composing()) {
          std::string composition;
          platform::Utf8ToCp932(edit->Composition(), composition);
          const int width = text.Measure(composition);
          text.Draw(canvas, x, middle, composition, ink);
          canvas.Fill(DialogRect{x, middle + textHeight, width, 1}, ink);
          x += width;
        }
        if (focused && selW == 0) canvas.Fill(DialogRect{x, middle, 1, textHeight}, ink);
        text.Draw(canvas, x, middle, shown.substr(static_cast<std::size_t>(to)), ink);
        break;
      }
      default: break;
    }
  }
  PaintExtra(canvas);
}

void cDialog::Paint() const {
  thread_local DialogCanvas canvas;
  Paint(canvas);
  platform::SetFrameOverlay(canvas.Pixels());
}

void cDialog::RunOnScreen() {
  // A box asked from inside another dialog hands the keys back to it when it closes.
  const bool outer = platform::DialogCaptureActive();
  std::vector<std::uint32_t> outerPicture;
  const bool outerShown = platform::CopyFrameOverlay(outerPicture);
  platform::SetDialogCapture(true);
  dirty_ = true;
  std::uint16_t textEntryFor = 0xFFFE;
  while (!ended_) {
    if (dirty_) {
      Paint();
      dirty_ = false;
    }
    if (!ServeNestedPass()) {
      End(0);
      break;
    }
    // A termination request answers the dialog as closed; the close of the program follows.
    if (platform::TakeTerminationRequest()) {
      Close();
      PostCloseRequest();
      break;
    }
    platform::StepInputScript(false);
    HandleBatch(platform::TakeDialogEvents());
    // Text entry, with its composition window at the caret, only while an edit has the focus.
    const std::uint16_t focused = FocusedId();
    if (focused != textEntryFor) {
      const DialogItem* item = Control(focused, 3) != nullptr ? Item(focused) : nullptr;
      if (item != nullptr) {
        const DialogRect r = ItemRect(*item);
        platform::StartTextEntry(r.x, r.y, r.width, r.height);
      } else {
        platform::StopTextEntry();
      }
      textEntryFor = focused;
    }
  }
  platform::StopTextEntry();
  if (outerShown) platform::SetFrameOverlay(std::move(outerPicture));
  else platform::ClearFrameOverlay();
  platform::SetDialogCapture(outer);
}
