// The dialogs laid over real frames of the drawing library: the frame stays untouched beside
// the dialog, and the whole picture matches the one looked at (write them with
// KESTREL_GOLDEN_DIR=<folder>).

#include <string>

#include "core/scene_manager.h"
#include "gfx/dd_fill.h"
#include "gfx/gfx_test_support.h"
#include "input/dialogs/dialog_script.h"
#include "input/dialogs/file_chooser.h"
#include "input/dialogs/name_dialog.h"
#include "input/input_settings.h"
#include "platform/video/frame_overlay.h"
#include "support/golden_frame.h"
#include "support/utf8.h"

namespace {

using gfxtest::Mode;

// The dialog's picture, taken where its script line would be answered.
template <typename Base>
struct Snapshot : Base {
  using Base::Base;
  DialogCanvas canvas;
  std::vector<platform::DialogEvent> events;

 protected:
  bool RunScriptLine(const std::vector<std::string>& /*words*/) override {
    for (const platform::DialogEvent& event : events) this->HandleEvent(event);
    this->Paint(canvas);
    return true;
  }
};

struct Names : cInputSettings {
  std::string fixed = "aaa";
  std::string* FixedRankingName() override { return &fixed; }
};

class DialogGolden : public gfxtest::LibraryTest, public testing::WithParamInterface<Mode> {
 protected:
  void TearDown() override {
    SetDialogScript(std::nullopt);
    SetInputSettings(nullptr);
    SceneMgr.TitleChoice = 0;
    LibraryTest::TearDown();
  }
  // A frame of stripes in the mode, the dialog's picture over it.
  platform::Frame Composed(const DialogCanvas& canvas) {
    WriteFile("bmp/plt/Palette.bmp", gfxtest::PaletteBitmap());
    EXPECT_TRUE(Init(GetParam()));
    EXPECT_TRUE(DDLoadPaletteFromFile(DDPalette, "bmp\\plt\\Palette.bmp"));
    for (int band = 0; band < 16; ++band) DDFillRect(&SDBackBuffer, 0, band * 30, 640, 30, 20 + band * 13);
    platform::Frame frame;
    EXPECT_TRUE(gfxtest::PresentBackBuffer(frame));
    const platform::Frame under = frame;
    platform::ComposeOverlay(frame, canvas.Pixels());
    EXPECT_EQ(frame.At(5, 5), under.At(5, 5)) << "the frame shows beside the dialog";
    EXPECT_EQ(frame.At(635, 475), under.At(635, 475));
    return frame;
  }
  void Check(const platform::Frame& frame, const char* what, std::uint64_t expected) {
    testsupport::ExpectGoldenFrame(frame, std::string(what) + "_" + GetParam().name, expected);
  }
};

TEST_P(DialogGolden, TheChooserOverTheFrame) {
  WriteFile("data/stg4/Meadow.stg4_000", "x");
  WriteFile("data/stg4/notes.txt", "x");
  WriteFile("data/stg4/Old/a.stg4_000", "x");
  Snapshot<cFileChooser> chooser(
      FileChooserRequest{"Load", "data\\stg4\\", "StageFile", "*.stg4_*;*.rpl4_*", "stg4_*;rpl4_*", false, {}});
  SetDialogScript(std::string("open look"));
  chooser.DoModal(0);
  // Both modes show the palette's colours exactly: one picture.
  Check(Composed(chooser.canvas), "chooser", 0xc8efcdcadbaf6ec2ull);
}

TEST_P(DialogGolden, TheNameDialogComposing) {
  Names names;
  SetInputSettings(&names);
  SceneMgr.TitleChoice = 5;
  Snapshot<cNameDlg> dialog;
  platform::DialogEvent typed(platform::DialogEvent::Kind::Text);
  typed.text = testsupport::Utf8(u8"山");
  platform::DialogEvent composing(platform::DialogEvent::Kind::Composition);
  composing.text = testsupport::Utf8(u8"だ");
  dialog.events = {typed, composing};
  SetDialogScript(std::string("name look"));
  dialog.DoModal(0);
  Check(Composed(dialog.canvas), "name", 0xc4e264f39144bdb4ull);
}

const Mode kGoldenModes[] = {gfxtest::kModes[0], gfxtest::kModes[2]};  // Direct3D 32, DirectDraw 8
INSTANTIATE_TEST_SUITE_P(Modes, DialogGolden, testing::ValuesIn(kGoldenModes), gfxtest::PrintMode);

}  // namespace
