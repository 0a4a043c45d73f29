// The ranking-name request served for real: a game-side thread sends it and waits, the main
// thread's pump runs the name dialog, answered by the dialog script.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/game_request_handler.h"
#include "app/request_services.h"
#include "core/game_requests.h"
#include "core/main_window.h"
#include "core/message_pump.h"
#include "core/report_log.h"
#include "core/scene_manager.h"
#include "core/system_ini.h"
#include "input/dialogs/dialog_script.h"
#include "input/input_settings.h"
#include "platform/message_queue.h"
#include "support/utf8.h"

namespace {

struct Names : cInputSettings {
  std::string fixed = "aaa";
  std::string entry = "XYZ";
  std::string* FixedRankingName() override { return &fixed; }
  std::string* RankingEntryName() override { return &entry; }
};

class NameRequestTest : public testing::Test {
 protected:
  void SetUp() override {
    LogInit("/dev/null");
    SetInputSettings(&names_);
    SetGameRequestHandler(ServeGameRequest);
    platform::MessageQueue& queue = platform::MainQueue();
    queue.Reopen();
    queue.BindToCurrentThread();
    queue.SetHandler(MainWndProc);
    SceneMgr.TitleChoice = 5;  // the options scene asks
  }
  void TearDown() override {
    SetInputSettings(nullptr);
    SetGameRequestHandler(nullptr);
    platform::MainQueue().SetHandler(nullptr);
    SetDialogScript(std::nullopt);
    SceneMgr.TitleChoice = 0;
    SystemIni.English = 0;
  }
  // Sends the request from another thread as the game thread does, serving it here.
  void Request(const std::string& script) {
    SetDialogScript(script);
    NameDialogDone = 0;
    std::atomic<bool> sent{false};
    std::thread game([&] {
      platform::MainQueue().Send(platform::Message{kRequestNameDialog, 0, 0});
      sent = true;
    });
    while (!sent) ServeNestedPass();
    game.join();
    EXPECT_EQ(NameDialogDone.load(), 1);
  }
  Names names_;
};

TEST_F(NameRequestTest, TypedNamesKeepThreeCharactersOfTheGamesCodePage) {
  // Script lines are UTF-8, as the script file is; the names are CP932.
  const std::pair<const char8_t*, const char*> cases[] = {
      {u8"name あいうえ", "あいう"},
      {u8"name aあｱb", "aあｱ"},
      {u8"name 😀ab", "ab"},   // no CP932 form: refused as it is typed
      {u8"name 山田", "山田"},
      {u8"close", "aaa"},      // the close button keeps the old name
      {u8"name", "aaa"},       // OK at once: the name shown is stored
      {u8"boot stop", "aaa"},  // a line for another dialog: logged, name kept
  };
  for (const auto& [line, expected] : cases) {
    names_.fixed = "aaa";
    Request(testsupport::Utf8(line));
    EXPECT_EQ(names_.fixed, expected) << testsupport::Utf8(line);
    EXPECT_EQ(names_.entry, "XYZ");
  }
}

TEST_F(NameRequestTest, ThePlaySceneEntryOrNothingWhenNeitherSceneAsks) {
  SceneMgr.TitleChoice = 0;
  Request("name QQQ");  // no play scene either: no field, OK writes nothing
  EXPECT_EQ(names_.entry, "XYZ");
  EXPECT_EQ(names_.fixed, "aaa");
}

}  // namespace
