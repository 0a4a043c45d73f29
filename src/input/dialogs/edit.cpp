#include "input/dialogs/edit.h"

#include <algorithm>

#include "core/sjis.h"
#include "input/dialogs/dialog.h"
#include "platform/clipboard.h"
#include "platform/input/virtual_keys.h"
#include "platform/text_codec.h"

namespace {

namespace vk = platform::vk;

// Start of the character before `pos`, stepping over a line break as one.
int PreviousStart(const std::string& text, int pos) {
  if (pos >= 2 && text.compare(static_cast<std::size_t>(pos - 2), 2, "\r\n") == 0) return pos - 2;
  int start = 0;
  for (int at = 0; at < pos;) {
    start = at;
    at += static_cast<int>(SjisCharWidth(text, static_cast<std::size_t>(at)));
  }
  return start;
}

int NextEnd(const std::string& text, int pos) {
  if (pos >= static_cast<int>(text.size())) return pos;
  if (text.compare(static_cast<std::size_t>(pos), 2, "\r\n") == 0) return pos + 2;
  return pos + static_cast<int>(SjisCharWidth(text, static_cast<std::size_t>(pos)));
}

// UTF-8 characters one by one.
std::size_t Utf8Width(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead >> 5) == 0x6) return 2;
  if ((lead >> 4) == 0xE) return 3;
  if ((lead >> 3) == 0x1E) return 4;
  return 1;
}

}  // namespace

void EditBinding::Set(std::uint16_t itemId, std::string* target, int max, int count) {
  id = itemId;
  text = target;
  size = max + 1;
  charsPerLine = count != 0 ? max : 0;
  lines = 1;
  countChars = count;
}

const std::string& cEdit::Shown() const {
  static const std::string kEmpty;
  const DialogItem* item = owner_ != nullptr ? owner_->Item(id_) : nullptr;
  return item != nullptr ? item->text : kEmpty;
}

void cEdit::Show(const std::string& text) {
  if (owner_ == nullptr) return;
  if (DialogItem* item = owner_->Item(id_)) item->text = text;
}

void cEdit::AttachBinding(cDialog* owner, const EditBinding& binding) {
  bindingMode = 2;
  Attach(owner, binding.id);
  binding_ = binding;
  if (binding_.size == 0) binding_.size = 4096;
  if (binding_.charsPerLine == 0) binding_.charsPerLine = 1024;
  if (binding_.lines == 0) binding_.lines = 32;
  const std::string bound = binding_.text != nullptr ? *binding_.text : std::string();
  Show(bound);
  lastAccepted_ = bound;
  initialising_ = true;
  OnChange();
  initialising_ = false;
}

void cEdit::ToWindow() {
  if (binding_.text == nullptr) return;
  Show(*binding_.text);
  lastAccepted_ = *binding_.text;
  selection_ = EditSelection{};
}

void cEdit::FromWindow() {
  if (binding_.text == nullptr) return;
  const std::size_t limit = static_cast<std::size_t>(binding_.countChars != 0 ? 2 * binding_.size - 1 : binding_.size);
  const std::string& shown = Shown();
  *binding_.text = shown.substr(0, SjisCutLength(shown, limit));
}

void cEdit::OnChange() {
  if (busy_) return;
  busy_ = true;
  const EditChangeInput input{Shown(), selection_, lastAccepted_, backspace_, initialising_};
  const EditChangeResult result =
      EditOnChange(input, EditLimits{binding_.charsPerLine, binding_.lines, binding_.countChars != 0});
  Show(result.text);
  if (!initialising_) selection_ = result.selection;
  lastAccepted_ = result.text;
  refused_ = result.restored;
  busy_ = false;
}

void cEdit::Replace(const std::string& text, bool backspace) {
  std::string shown = Shown();
  const EditSelection before = selection_;
  const int size = static_cast<int>(shown.size());
  const int start = std::clamp(std::min(selection_.start, selection_.end), 0, size);
  const int end = std::clamp(std::max(selection_.start, selection_.end), 0, size);
  shown.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), text);
  Show(shown);
  const int caret = start + static_cast<int>(text.size());
  selection_ = EditSelection{caret, caret};
  backspace_ = backspace;
  OnChange();
  backspace_ = false;
  // A refused change puts the caret back where it was, with the text.
  if (refused_) selection_ = before;
}

void cEdit::OnText(std::string_view utf8) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t width = std::min(Utf8Width(static_cast<unsigned char>(utf8[pos])), utf8.size() - pos);
    std::string character;
    // No form in the game's code page (an emoji): the game could not keep it, so it is refused.
    if (platform::Utf8ToCp932(utf8.substr(pos, width), character) && !character.empty() && character != "\n" &&
        character != "\r") {
      Replace(character, false);
    }
    pos += width;
  }
}

void cEdit::SelectAll() { selection_ = EditSelection{0, static_cast<int>(Shown().size())}; }

void cEdit::OnKeyDown(int key, std::intptr_t /*lParam*/, bool control) {
  if (Composing()) return;  // the keys belong to the input method meanwhile
  const std::string& shown = Shown();
  const int size = static_cast<int>(shown.size());
  const int caret = std::clamp(selection_.end, 0, size);
  const bool empty = selection_.start == selection_.end;
  switch (key) {
    case vk::kBack:
      if (empty) selection_.start = PreviousStart(shown, caret);
      Replace("", true);
      break;
    case vk::kDelete:
      if (empty) selection_.end = NextEnd(shown, caret);
      Replace("", false);
      break;
    case vk::kLeft: selection_.start = selection_.end = empty ? PreviousStart(shown, caret) : std::min(selection_.start, selection_.end); break;
    case vk::kRight: selection_.start = selection_.end = empty ? NextEnd(shown, caret) : std::max(selection_.start, selection_.end); break;
    case vk::kHome: selection_ = EditSelection{0, 0}; break;
    case vk::kEnd: selection_ = EditSelection{size, size}; break;
    case 'A':
      if (control) SelectAll();
      break;
    case 'V':
      if (control) OnText(platform::ClipboardText());
      break;
    default: break;
  }
}
