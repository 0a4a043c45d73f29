#include "platform/message_box.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/backend_choice.h"
#include "platform/diagnostics.h"
#include "platform/text_codec.h"

namespace platform {
namespace {

BoxAnswer ScriptedAnswer(BoxButtons buttons) {
  if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
  const char* answer = std::getenv("KESTREL_BOX_ANSWER");
  const bool no = answer != nullptr && (std::strcmp(answer, "no") == 0 || std::strcmp(answer, "No") == 0);
  return no ? BoxAnswer::No : BoxAnswer::Yes;
}

BoxAnswer AnswerWithoutDisplay(std::string_view text, std::string_view caption, BoxButtons buttons) {
  std::string line;
  line.reserve(caption.size() + text.size() + 4);
  line.append("[").append(caption).append("] ").append(text);
  ReportDiagnostic(line);
  return ScriptedAnswer(buttons);
}

Uint32 IconFlags(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error: return SDL_MESSAGEBOX_ERROR;
    case BoxIcon::Warning: return SDL_MESSAGEBOX_WARNING;
    case BoxIcon::Information:
    case BoxIcon::Question: return SDL_MESSAGEBOX_INFORMATION;
    case BoxIcon::None: break;
  }
  return 0;
}

enum ButtonId { kOk = 1, kYes = 2, kNo = 3 };

}  // namespace

BoxAnswer ShowMessageBox(std::string_view cp932Text, std::string_view cp932Caption, BoxButtons buttons,
                         BoxIcon icon) {
  if (DialogBackend() == Backend::Null) return AnswerWithoutDisplay(cp932Text, cp932Caption, buttons);

  const std::string text = Cp932ToUtf8Lossy(cp932Text);
  const std::string caption = Cp932ToUtf8Lossy(cp932Caption);
  SDL_MessageBoxButtonData okButton{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                                    kOk, "OK"};
  SDL_MessageBoxButtonData yesNo[2] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kYes, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kNo, "No"},
  };
  SDL_MessageBoxData data{};
  data.flags = IconFlags(icon);
  data.title = caption.c_str();
  data.message = text.c_str();
  if (buttons == BoxButtons::Ok) {
    data.numbuttons = 1;
    data.buttons = &okButton;
  } else {
    data.numbuttons = 2;
    data.buttons = yesNo;
  }
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) return AnswerWithoutDisplay(cp932Text, cp932Caption, buttons);
  switch (pressed) {
    case kYes: return BoxAnswer::Yes;
    case kNo: return BoxAnswer::No;
    case kOk: return BoxAnswer::Ok;
    default: return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::No;  // closed without a choice
  }
}

}  // namespace platform
