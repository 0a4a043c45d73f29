#include "input/dialogs/file_chooser.h"

#include <algorithm>

#include "core/format.h"
#include "core/message_boxes.h"
#include "core/report_log.h"
#include "core/sjis.h"
#include "core/system_ini.h"
#include "input/dialogs/dialog_text.h"
#include "platform/clock.h"
#include "platform/files/folder_tree.h"
#include "platform/files/path_resolver.h"
#include "platform/input/virtual_keys.h"
#include "platform/text_codec.h"

namespace {

namespace vk = platform::vk;
using namespace dialog_colours;

constexpr int kRowHeight = 14;
constexpr int kMaxResultBytes = 259;
constexpr std::uint32_t kDoubleClickMs = 500;

constexpr DialogItemTemplate kOpenItems[] = {
    {1120, ItemKind::List, "", 5, 18, 250, 118},
    {1152, ItemKind::Edit, "", 50, 142, 150, 12},
    {1, ItemKind::DefaultButton, "開く", 208, 141, 47, 14},
    {2, ItemKind::Button, "キャンセル", 208, 160, 47, 14},
    {1090, ItemKind::Static, "", 5, 5, 250, 10},
    {1091, ItemKind::Static, "ファイル名:", 5, 144, 44, 10},
    {1089, ItemKind::Static, "", 5, 162, 200, 10},
};
constexpr DialogTemplate kOpen{0, 260, 180, kOpenItems};

// Components of a CP932 path, split at backslashes that are not second bytes.
std::vector<std::string> Components(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t width = SjisCharWidth(path, pos);
    if (width == 1 && (path[pos] == '\\' || path[pos] == '/')) {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part.append(path.substr(pos, width));
    }
    pos += width;
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

std::string Join(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : "\\") + part;
  return joined;
}

// The path as the disk spells it, in CP932; none when a component has no CP932 form.
std::optional<std::string> DiskSpelling(const platform::ResolvedPath& resolved) {
  const std::string& root = platform::GameFolder().root();
  std::string relative = resolved.hostPath;
  if (relative.rfind(root, 0) == 0) relative.erase(0, root.size());
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= relative.size()) {
    const std::size_t end = std::min(relative.find('/', start), relative.size());
    const std::string part = relative.substr(start, end - start);
    if (!part.empty() && part != ".") {
      const std::optional<std::string> name = ChooserName(part);
      if (!name) return std::nullopt;
      parts.push_back(*name);
    }
    start = end + 1;
  }
  return Join(parts);
}

}  // namespace

cFileChooser::cFileChooser(const FileChooserRequest& request) : cDialog(kOpen, nullptr), request_(request) {
  title = request.title;
  SetOrigin((kFrameWidth - WindowWidth()) / 2, (kFrameHeight - WindowHeight()) / 2);
  name_ = request.save ? request.proposedName : std::string();
  edits_.resize(1);
  // A list of several quoted names may be longer than one path.
  binding_.Set(kName, &name_, request.several && !request.save ? 4095 : kMaxResultBytes, 0);
}

void cFileChooser::OnInitDialog() {
  cDialog::OnInitDialog();
  for (cEdit& edit : edits_) {
    edit.AttachBinding(this, binding_);
    Register(&edit);
  }
  bar_.Attach(this, ScrollSetup{kList, 0, 0, VisibleRows()});
  Register(&bar_);
  const bool english = SystemIni.English != 0;
  if (DialogItem* item = Item(kOk)) item->text = request_.save ? (english ? "Save" : "保存") : (english ? "Open" : "開く");
  if (DialogItem* item = Item(kCancel)) item->text = english ? "Cancel" : "キャンセル";
  if (DialogItem* item = Item(1091)) item->text = english ? "File name:" : "ファイル名:";
  if (DialogItem* item = Item(1089)) item->text = request_.filterName;
  // The initial folder when it exists, else the game folder.
  if (!EnterFolder(Join(Components(request_.initialFolder)))) EnterFolder("");
  // A save starts in the name field, so that Return takes the name offered; on the list it
  // would climb to the parent folder.
  if (request_.save) SetFocus(kName);
}

bool cFileChooser::EnterFolder(const std::string& cp932Folder) {
  std::string host = platform::GameFolder().root();
  if (!cp932Folder.empty()) {
    const platform::ResolvedPath resolved = platform::GameFolder().Resolve(cp932Folder);
    if (!resolved.ok() || !platform::IsFolder(resolved.hostPath)) return false;
    const std::optional<std::string> spelled = DiskSpelling(resolved);
    if (!spelled) return false;
    host = resolved.hostPath;
    folder_ = *spelled;
  } else {
    folder_.clear();
  }
  entries_ = ListChooserFolder(host, request_.filterPattern, folder_.empty());
  selected_ = entries_.empty() ? -1 : 0;
  bar_.SetRange(0, static_cast<int>(entries_.size()) - 1, VisibleRows());
  bar_.SetPosition(0);
  if (DialogItem* item = Item(1090)) item->text = folder_.empty() ? "." : folder_;
  MarkDirty();
  return true;
}

int cFileChooser::VisibleRows() const { return std::max(ListRect().height / kRowHeight, 1); }

DialogRect cFileChooser::ListRect() const {
  const DialogItem* item = Item(kList);
  return item != nullptr ? ItemRect(*item) : DialogRect{};
}

void cFileChooser::Select(int index) {
  if (entries_.empty()) return;
  selected_ = std::clamp(index, 0, static_cast<int>(entries_.size()) - 1);
  const int rows = VisibleRows();
  if (selected_ < bar_.Position()) bar_.SetPosition(selected_);
  if (selected_ >= bar_.Position() + rows) bar_.SetPosition(selected_ - rows + 1);
  const ChooserEntry& entry = entries_[static_cast<std::size_t>(selected_)];
  marked_.clear();
  anchor_ = selected_;
  if (!entry.folder) marked_.push_back(selected_);
  if (!entry.folder && !edits_.empty()) {
    name_ = entry.name;
    edits_[0].ToWindow();
  }
  MarkDirty();
}

bool cFileChooser::Marked(int index) const { return std::find(marked_.begin(), marked_.end(), index) != marked_.end(); }

void cFileChooser::ToggleMark(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  selected_ = index;
  anchor_ = index;
  if (!entries_[static_cast<std::size_t>(index)].folder) {
    const auto found = std::find(marked_.begin(), marked_.end(), index);
    if (found != marked_.end()) marked_.erase(found);
    else marked_.insert(std::upper_bound(marked_.begin(), marked_.end(), index), index);
  }
  ShowMarkedNames();
}

void cFileChooser::MarkRun(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  if (anchor_ < 0) anchor_ = index;
  selected_ = index;
  marked_.clear();
  for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i) {
    if (!entries_[static_cast<std::size_t>(i)].folder) marked_.push_back(i);
  }
  ShowMarkedNames();
}

void cFileChooser::ShowMarkedNames() {
  if (marked_.size() == 1) {
    name_ = entries_[static_cast<std::size_t>(marked_[0])].name;
  } else {
    name_.clear();
    for (int index : marked_) name_ += (name_.empty() ? "\"" : " \"") + entries_[static_cast<std::size_t>(index)].name + "\"";
  }
  if (!edits_.empty()) edits_[0].ToWindow();
  MarkDirty();
}

// Each quoted name must be a file of the folder in view; all are chosen, or none.
bool cFileChooser::ConfirmSeveral(const std::vector<std::string>& names) {
  std::vector<std::string> chosen;
  for (const std::string& name : names) {
    if (Components(name).size() != 1) return false;
    const std::string path = folder_.empty() ? name : folder_ + "\\" + name;
    const platform::ResolvedPath resolved = platform::GameFolder().Resolve(path);
    if (!resolved.ok() || !platform::IsFile(resolved.hostPath)) return false;
    const std::optional<std::string> spelled = DiskSpelling(resolved);
    if (!spelled || spelled->size() > kMaxResultBytes) return false;
    chosen.push_back(*spelled);
  }
  results_ = chosen;
  result_ = results_.front();
  return true;
}

void cFileChooser::Activate() {
  if (selected_ < 0) return;
  const ChooserEntry entry = entries_[static_cast<std::size_t>(selected_)];
  if (!entry.folder) {
    if (Confirm()) End(1);
    return;
  }
  if (entry.name == "..") {
    std::vector<std::string> parts = Components(folder_);
    if (!parts.empty()) parts.pop_back();
    EnterFolder(Join(parts));
  } else {
    EnterFolder(folder_.empty() ? entry.name : folder_ + "\\" + entry.name);
  }
}

bool cFileChooser::Confirm() {
  ControlsFromWindow();
  std::string name = name_;
  if (name.empty()) return false;
  if (request_.several && !request_.save) {
    if (const std::optional<std::vector<std::string>> names = QuotedNames(name)) {
      if (names->size() > 1) return ConfirmSeveral(*names);
      name = names->front();
    }
  }
  if (request_.save) name = WithDefaultExtension(name, request_.defaultExtension);
  // A name with a folder in it is taken from the game folder, as every result is.
  const bool withFolder = Components(name).size() > 1;
  const std::string path = withFolder || folder_.empty() ? Join(Components(name)) : folder_ + "\\" + name;
  platform::ResolvedPath resolved = platform::GameFolder().Resolve(path);
  if (resolved.ok() && platform::IsFolder(resolved.hostPath)) {
    name_.clear();
    if (!edits_.empty()) edits_[0].ToWindow();
    EnterFolder(path);
    return false;
  }
  const bool exists = resolved.ok() && platform::IsFile(resolved.hostPath);
  if (!request_.save && !exists) return false;
  if (request_.save && !exists) resolved = platform::GameFolder().ResolveForCreate(path);
  if (!resolved.ok()) return false;
  const std::optional<std::string> spelled = DiskSpelling(resolved);
  if (!spelled || spelled->size() > kMaxResultBytes) return false;
  if (request_.save && exists) {
    const std::string question =
        SystemIni.English != 0 ? Format("%s already exists.\nReplace it?", spelled->c_str())
                               : Format("「%s」は既に存在します。\n上書きしますか？", spelled->c_str());
    if (AppMessageBox(question, title, BoxButtons::YesNo, BoxIcon::Warning) != BoxAnswer::Yes) return false;
  }
  result_ = *spelled;
  results_.assign(1, result_);
  return true;
}

void cFileChooser::OnCommand(std::uintptr_t wParam, std::intptr_t lParam) {
  cDialog::OnCommand(wParam, lParam);
  switch (wParam & 0xFFFF) {
    case kOk:
      if (FocusedId() == kList && name_.empty()) Activate();
      else if (Confirm()) End(1);
      break;
    case kCancel: End(0); break;
    default: break;
  }
}

bool cFileChooser::HandleOwnEvent(const platform::DialogEvent& event) {
  using Kind = platform::DialogEvent::Kind;
  const DialogRect list = ListRect();
  if (event.kind == Kind::MouseDown && event.virtualKey == vk::kLeftButton && list.Contains(event.x, event.y)) {
    SetFocus(kList);
    const int scrollX = list.x + list.width - 14;
    if (static_cast<int>(entries_.size()) > VisibleRows() && event.x >= scrollX) {
      // On the bar: a page towards the pointer.
      const int thumbMiddle = list.y + list.height * bar_.Position() / std::max(static_cast<int>(entries_.size()), 1);
      bar_.Scroll(event.y < thumbMiddle ? kScrollPageUp : kScrollPageDown);
      return true;
    }
    const int row = bar_.Position() + (event.y - list.y - 2) / kRowHeight;
    const std::uint32_t now = platform::TimeMs();
    const bool twice = row == lastClickRow_ && now - lastClickMs_ < kDoubleClickMs;
    lastClickRow_ = row;
    lastClickMs_ = now;
    if (row >= 0 && row < static_cast<int>(entries_.size()) && request_.several && (event.control || event.shift)) {
      if (event.shift) MarkRun(row);
      else ToggleMark(row);
      lastClickRow_ = -1;
    } else if (row >= 0 && row < static_cast<int>(entries_.size())) {
      Select(row);
      if (twice) {
        lastClickRow_ = -1;
        Activate();
      }
    }
    return true;
  }
  if (event.kind != Kind::KeyDown || FocusedId() != kList) return false;
  const int rows = VisibleRows();
  if (request_.several && event.shift && (event.virtualKey == vk::kUp || event.virtualKey == vk::kDown)) {
    MarkRun(std::clamp(selected_ + (event.virtualKey == vk::kUp ? -1 : 1), 0, static_cast<int>(entries_.size()) - 1));
    return true;
  }
  if (request_.several && event.control && event.virtualKey == vk::kSpace) {
    ToggleMark(selected_);
    return true;
  }
  switch (event.virtualKey) {
    case vk::kUp: Select(selected_ - 1); return true;
    case vk::kDown: Select(selected_ + 1); return true;
    case vk::kPrior: Select(selected_ - rows); return true;
    case vk::kNext: Select(selected_ + rows); return true;
    case vk::kHome: Select(0); return true;
    case vk::kEnd: Select(static_cast<int>(entries_.size()) - 1); return true;
    case vk::kReturn: Activate(); return true;
    case vk::kBack:
      if (!folder_.empty()) {
        std::vector<std::string> parts = Components(folder_);
        parts.pop_back();
        EnterFolder(Join(parts));
      }
      return true;
    default: return false;
  }
}

void cFileChooser::PaintExtra(DialogCanvas& canvas) const {
  const cDialogText& text = DialogText();
  const DialogRect list = ListRect();
  canvas.Fill(list, kWindow);
  canvas.Bevel(list, false);
  const int rows = VisibleRows();
  const bool scrolls = static_cast<int>(entries_.size()) > rows;
  const int width = list.width - 4 - (scrolls ? 12 : 0);
  const int top = bar_.Position();
  for (int row = 0; row < rows && top + row < static_cast<int>(entries_.size()); ++row) {
    const ChooserEntry& entry = entries_[static_cast<std::size_t>(top + row)];
    const int y = list.y + 2 + row * kRowHeight;
    const bool chosen = top + row == selected_ || Marked(top + row);
    if (chosen) canvas.Fill(DialogRect{list.x + 2, y, width, kRowHeight}, FocusedId() == kList ? kSelection : kShadow);
    const std::string shown = entry.folder ? "[" + entry.name + "]" : entry.name;
    text.Draw(canvas, list.x + 4, y + 1, shown, chosen ? kCaptionText : kText);
  }
  if (scrolls) {
    // The bar: its thumb shows the part of the list in view.
    const DialogRect bar{list.x + list.width - 14, list.y + 2, 12, list.height - 4};
    canvas.Fill(bar, kFace);
    const int count = static_cast<int>(entries_.size());
    const int thumbHeight = std::max(bar.height * rows / count, 8);
    const int thumbY = bar.y + (bar.height - thumbHeight) * top / std::max(count - rows, 1);
    const DialogRect thumb{bar.x, thumbY, bar.width, thumbHeight};
    canvas.Fill(thumb, kFace);
    canvas.Bevel(thumb, true);
  }
}

// "open PATH" / "save NAME": the name typed into the field (UTF-8), then OK; "cancel".
bool cFileChooser::RunScriptLine(const std::vector<std::string>& words) {
  if (words.size() == 1 && words[0] == "cancel") {
    Click(kCancel);
    return true;
  }
  std::string typed;
  for (std::size_t i = 0; i < words.size(); ++i) typed += (i == 0 ? "" : " ") + words[i];
  std::string cp932;
  if (typed.empty() || !platform::Utf8ToCp932(typed, cp932)) return false;
  name_ = cp932;
  if (!edits_.empty()) edits_[0].ToWindow();
  Click(kOk);
  return ended();
}

int DDGetOpenFileName(std::string& path, const FileChooserRequest& request, cVector<std::string>* list) {
  path.clear();
  cFileChooser chooser(request);
  if (chooser.DoModal(0) != 1) return 0;
  const std::vector<std::string>& chosen = chooser.Results();
  if (!request.several || chosen.size() <= 1) {
    path = chooser.Result();
    if (list != nullptr) list->push_back(path);
    return 1;
  }
  // As the several-file answer names them: the folder first, then each file in it.
  path = chooser.Folder();
  if (list != nullptr) {
    for (const std::string& file : chosen) list->push_back(file);
  }
  return 1;
}

int DDGetSaveFileName(std::string& path, const FileChooserRequest& request, bool keep) {
  FileChooserRequest asked = request;
  asked.save = true;
  asked.proposedName = keep ? path : std::string();
  cFileChooser chooser(asked);
  if (chooser.DoModal(0) != 1) return 0;
  path = chooser.Result();
  return 1;
}
