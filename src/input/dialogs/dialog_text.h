#pragma once

#include <cstdint>
#include <string_view>

class DialogCanvas;

// How the dialogs write their CP932 texts: the fonts fill this in; until then each character
// is an outlined box of its width, so that layouts and captures can be checked already.
class cDialogText {
 public:
  virtual ~cDialogText() = default;
  virtual int Height() const { return 12; }
  virtual int Measure(std::string_view text) const;
  virtual void Draw(DialogCanvas& canvas, int x, int y, std::string_view text, std::uint32_t argb) const;
};

// nullptr puts the boxes back.
void SetDialogText(cDialogText* text);
const cDialogText& DialogText();
