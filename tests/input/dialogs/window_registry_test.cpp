// The registry of windows a modal dialog hides or disables while it runs, and the modeless
// dialogs that join and leave it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "input/dialogs/dialog.h"
#include "input/dialogs/dialog_script.h"
#include "input/dialogs/gdi_holder.h"
#include "input/dialogs/wnd_registry.h"
#include "platform/diagnostics.h"

namespace {

constexpr DialogItemTemplate kItems[] = {{1, ItemKind::DefaultButton, "OK", 10, 10, 40, 14},
                                         {40, ItemKind::Picture, "", 10, 30, 40, 40}};
constexpr DialogTemplate kTemplate{900, 100, 80, kItems};

struct TestDialog : cDialog {
  TestDialog() : cDialog(kTemplate, nullptr) {}
  std::function<void()> during;

 protected:
  const char* ScriptName() const override { return "test"; }
  bool RunScriptLine(const std::vector<std::string>& /*words*/) override {
    if (during) during();
    End(1);
    return true;
  }
  void TakeDefault() override { End(0); }
};

class WindowRegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::SetDiagnosticSink([this](std::string_view text) { said_.emplace_back(text); });
  }
  void TearDown() override {
    SetDialogScript(std::nullopt);
    platform::SetDiagnosticSink(nullptr);
  }
  bool Said(const std::string& text) const {
    for (const std::string& line : said_) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }
  std::vector<std::string> said_;
};

TEST_F(WindowRegistryTest, ModalFlagsHideAndDisableTheRegisteredWindowsWhileTheDialogRuns) {
  struct Case {
    int flags;
    bool hidden, disabled;
  };
  const Case cases[] = {{0, false, false}, {2, true, false}, {4, false, true}, {6, true, true}};
  for (const Case& c : cases) {
    TestDialog modeless;
    modeless.Create();
    ASSERT_TRUE(WndRegistry.Contains(&modeless));
    cSubWnd sub;
    sub.hasWindow = true;
    cSubWnd gone;  // its window no longer exists: shown or not, it stays as it is
    gone.visible = false;
    WndRegistry.AddSub(&sub);
    WndRegistry.AddSub(&gone);

    TestDialog modal;
    bool visibleDuring = true, subVisibleDuring = true, disabledDuring = false, subDisabledDuring = false;
    modal.during = [&] {
      visibleDuring = modeless.visible;
      subVisibleDuring = sub.visible;
      disabledDuring = (modeless.Style() & kStyleDisabled) != 0;
      subDisabledDuring = (sub.style & kStyleDisabled) != 0;
    };
    SetDialogScript(std::string("test"));
    EXPECT_EQ(modal.DoModal(c.flags), 1);
    EXPECT_EQ(visibleDuring, !c.hidden) << c.flags;
    EXPECT_EQ(subVisibleDuring, !c.hidden) << c.flags;
    EXPECT_EQ(disabledDuring, c.disabled) << c.flags;
    EXPECT_EQ(subDisabledDuring, c.disabled) << c.flags;
    // Afterwards everything is shown and enabled again.
    EXPECT_TRUE(modeless.visible);
    EXPECT_TRUE(sub.visible);
    EXPECT_FALSE(gone.visible);
    EXPECT_EQ(modeless.Style() & kStyleDisabled, 0u);
    EXPECT_EQ(sub.style & kStyleDisabled, 0u);
    EXPECT_FALSE(WndRegistry.Contains(&modal));  // a modal dialog never joins
    EXPECT_TRUE(WndRegistry.RemoveSub(&sub));
    EXPECT_TRUE(WndRegistry.RemoveSub(&gone));
  }
  EXPECT_TRUE(said_.empty());
}

TEST_F(WindowRegistryTest, AModelessDialogLeavesTheRegistryWithItsObjectAndSaysSoWhenItWasNotThere) {
  TestDialog* kept = nullptr;
  {
    TestDialog modeless;
    modeless.Create();
    kept = &modeless;
    EXPECT_TRUE(modeless.exists);
    modeless.End(3);  // its window goes at once; the object stays registered
    EXPECT_FALSE(modeless.exists);
    EXPECT_TRUE(WndRegistry.Contains(kept));
  }
  EXPECT_FALSE(WndRegistry.Contains(kept));
  EXPECT_TRUE(said_.empty());
  {
    TestDialog open;  // still open when it goes: ended, then removed
    open.Create();
    kept = &open;
  }
  EXPECT_FALSE(WndRegistry.Contains(kept));
  EXPECT_TRUE(said_.empty());
  {
    TestDialog lost;
    lost.Create();
    WndRegistry.Remove(&lost);
  }
  EXPECT_TRUE(Said("ウインドウの破棄に失敗！"));
  said_.clear();
  {
    TestDialog modal;  // never modeless: not looked up
    SetDialogScript(std::string("test"));
    modal.DoModal(0);
  }
  EXPECT_TRUE(said_.empty());
}

TEST(GdiHolder, ReleaseEmptiesWhatItHoldsAndAnEmptyOneReleasesNothing) {
  cGdiHolder holder;
  EXPECT_TRUE(holder.Empty());
  holder.Release();
  holder.surfaces[0] = std::make_unique<DialogCanvas>();
  holder.overlay = std::make_unique<DialogCanvas>();
  holder.object = std::make_shared<int>(5);
  const std::weak_ptr<void> object = holder.object;
  EXPECT_FALSE(holder.Empty());
  holder.Release();
  EXPECT_TRUE(holder.Empty());
  EXPECT_TRUE(object.expired());
}

TEST(ImageCtrl, HasAWindowOnlyWhileAttachedToAnItemOfAnOpenDialog) {
  TestDialog dialog;
  cImageCtrl& picture = dialog.Picture();
  EXPECT_FALSE(picture.HasWindow());
  dialog.Create();
  picture.Attach(&dialog, 40);
  EXPECT_TRUE(picture.HasWindow());
  picture.Attach(&dialog, 41);  // no such item
  EXPECT_FALSE(picture.HasWindow());
  picture.Attach(&dialog, 40);
  dialog.End(0);
  EXPECT_FALSE(picture.HasWindow());
}

}  // namespace
