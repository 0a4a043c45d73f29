#include "app/game_request_handler.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/request_services.h"
#include "core/close_request.h"
#include "core/game_requests.h"
#include "core/main_window.h"
#include "core/system_ini.h"
#include "core/thread.h"
#include "platform/message_queue.h"
#include "support/box_capture.h"

namespace {

using Calls = std::vector<std::string>;

// Every subsystem the requests reach, recording the calls in one list so their order shows.
struct Fakes : cRequestServices {
  Calls calls;
  bool choose = true;
  std::string chosenPath = "data\\stg4\\a.stg4_750";
  bool succeed = true;
  int menuMusic = 0;

  void SetDialogBoxMode(int on) override { calls.push_back("dialog mode " + std::to_string(on)); }
  void RecoverDevice() override { calls.push_back("recover device"); }
  void RunNameDialog() override { calls.push_back("name dialog"); }
  bool GetOpenFileName(const OpenFileRequest& request, std::string& path) override {
    calls.push_back("open " + request.title + " | " + request.initialFolder + " | " + request.filterName + " | " +
                    request.filterPattern + " | " + request.defaultExtension);
    if (choose) path = chosenPath;
    return choose;
  }
  bool PlayStageFile(const std::string& path, int direct) override {
    calls.push_back("play " + path + " " + std::to_string(direct));
    return succeed;
  }
  bool ReadReplayFile(const std::string& path) override {
    calls.push_back("read replay " + path);
    return succeed;
  }
  void SetStageFilePath(const std::string& path) override { calls.push_back("stage path " + path); }
  bool ReplaySaveDialog(std::string& path) override {
    calls.push_back("save dialog");
    if (choose) path = chosenPath;
    return choose;
  }
  bool WriteReplayFile(int buffer, const std::string& path) override {
    calls.push_back("write replay " + std::to_string(buffer) + " " + path);
    return succeed;
  }
  void PlaySoundEffect(int id) override { calls.push_back("sound " + std::to_string(id)); }
  void StopMusic() override { calls.push_back("stop music"); }
  int MenuMusicNumber(int slot) override { return slot == 2 ? 0 : menuMusic; }
  int MenuMusicLoop(int slot) override { return slot == 1 ? 1 : 0; }
  std::string MusicFileName(int number) override { return "bgm" + std::to_string(number); }
  void SetMusicTrack(int track, const std::string& name) override {
    calls.push_back("track " + std::to_string(track) + " " + name);
  }
  void PlayMusic(int channel, int track, int loop, int pauseOthers, int force) override {
    calls.push_back("play music " + std::to_string(channel) + " " + std::to_string(track) + " " +
                    std::to_string(loop) + " " + std::to_string(pauseOthers) + " " + std::to_string(force));
  }
  void SetStageMusicNumber(int number) override { calls.push_back("stage music " + std::to_string(number)); }
  int StageMusicLoop() override { return 1; }
};

class GameRequestsTest : public testing::Test {
 protected:
  void SetUp() override {
    SetRequestServices(&fakes_);
    SetGameRequestHandler(ServeGameRequest);
    SetCloseRequestSink([this] { fakes_.calls.push_back("close"); });
    platform::MainQueue().Reopen();
    platform::MainQueue().BindToCurrentThread();
    platform::MainQueue().SetHandler(MainWndProc);
    SystemIni.English = 0;
    FileDialogDone = 0;
    FileDialogResult = -1;
    NameDialogDone = 0;
  }
  void TearDown() override {
    SetRequestServices(nullptr);
    SetGameRequestHandler(nullptr);
    SetCloseRequestSink(nullptr);
    platform::MainQueue().SetHandler(nullptr);
    SystemIni.English = 0;
  }
  Calls Serve(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    fakes_.calls.clear();
    EXPECT_EQ(ServeGameRequest(platform::Message{message, wParam, lParam}), 0);
    return fakes_.calls;
  }

  Fakes fakes_;
};

TEST_F(GameRequestsTest, TheStageFileRequestPlaysTheChosenFileAndReportsHowItWent) {
  EXPECT_EQ(Serve(kRequestOpenStage),
            (Calls{"dialog mode 1",
                   "open ステージファイルの読み込み | data\\stg4\\ | StageFile ( *.stg4_*;*.rpl4_* ) | *.stg4_*;*.rpl4_* | stg4_*;rpl4_*",
                   "dialog mode 0", "play data\\stg4\\a.stg4_750 0"}));
  EXPECT_EQ(FileDialogResult, 1);
  EXPECT_EQ(FileDialogDone, 1);

  // A file that does not play ends the program, and the sender hears that it failed.
  fakes_.succeed = false;
  FileDialogDone = 0;
  const Calls failed = Serve(kRequestOpenStage);
  EXPECT_EQ(failed.back(), "close");
  EXPECT_EQ(FileDialogResult, 0);
  EXPECT_EQ(FileDialogDone, 1);

  fakes_.choose = false;
  FileDialogDone = 0;
  EXPECT_EQ(Serve(kRequestOpenStage).size(), 3u);  // mode on, dialog, mode off
  EXPECT_EQ(FileDialogResult, 0);
  EXPECT_EQ(FileDialogDone, 1);
}

TEST_F(GameRequestsTest, TheReplayRequestsReadAndWriteTheChosenFileAndSayWhenTheyFail) {
  SystemIni.English = 1;
  fakes_.succeed = false;
  fakes_.chosenPath = "user_data\\rpl4\\x.rpl4_750";
  testsupport::BoxCapture boxes;
  // An unreadable replay is said, then the program closes.
  EXPECT_EQ(Serve(kRequestOpenReplay),
            (Calls{"dialog mode 1", "open Load replay file | user_data\\rpl4 | ReplayFile ( *.rpl4_* ) | *.rpl4_* | rpl4_*",
                   "dialog mode 0", "read replay user_data\\rpl4\\x.rpl4_750",
                   "stage path user_data\\rpl4\\x.rpl4_750", "close"}));
  EXPECT_EQ(FileDialogResult, 0);
  EXPECT_EQ(boxes.texts, Calls{"user_data\\rpl4\\x.rpl4_750 の読み込みに失敗！"});

  // A replay that cannot be written is said too, but play goes on: nothing closes.
  boxes.texts.clear();
  EXPECT_EQ(Serve(kRequestSaveReplay, 0), (Calls{"save dialog", "write replay 0 user_data\\rpl4\\x.rpl4_750"}));
  EXPECT_EQ(FileDialogResult, 0);
  EXPECT_EQ(FileDialogDone, 1);
  EXPECT_EQ(boxes.texts, Calls{"user_data\\rpl4\\x.rpl4_750 の保存に失敗！"});

  fakes_.succeed = true;
  EXPECT_EQ(Serve(kRequestSaveReplay, 0), (Calls{"save dialog", "write replay 0 user_data\\rpl4\\x.rpl4_750"}));
  EXPECT_EQ(FileDialogResult, 1);
  EXPECT_EQ(Serve(kRequestSaveReplay, 7), (Calls{"save dialog", "write replay 1 user_data\\rpl4\\x.rpl4_750"}));

  fakes_.choose = false;
  EXPECT_EQ(Serve(kRequestSaveReplay, 1), (Calls{"save dialog"}));
  EXPECT_EQ(FileDialogResult, 0);
  EXPECT_EQ(FileDialogDone, 1);
}

TEST_F(GameRequestsTest, TheNameDialogRunsWithTheGameThreadsSuspendedAndSetsItsFlag) {
  EXPECT_EQ(Serve(kRequestNameDialog), (Calls{"dialog mode 1", "name dialog", "dialog mode 0"}));
  EXPECT_EQ(NameDialogDone, 1);
}

TEST_F(GameRequestsTest, MusicRequestsFollowTheSlotsTable) {
  struct Case {
    std::uintptr_t slot;
    std::intptr_t number;
    int menuMusic;
    Calls calls;
  };
  const Case cases[] = {
      {0, 0, 7, {"track 0 bgm7", "play music 0 0 0 0 1"}},
      {1, 0, 3, {"track 1 bgm3", "play music 0 1 1 0 1"}},  // slot 1's loop flag
      {2, 0, 5, {"stop music"}},                             // an empty menu entry stops the music
      {4, 9, 0, {"stage music 9", "track 4 bgm9", "play music 0 4 1 0 1"}},
      {4, 0, 0, {"stage music 0", "track 4 bgm0", "stop music"}},  // record 0's name is set first
      {5, 3, 3, {}},
  };
  for (const Case& c : cases) {
    fakes_.menuMusic = c.menuMusic;
    EXPECT_EQ(Serve(kRequestMusic, c.slot, c.number), c.calls) << "slot " << c.slot;
  }
}

TEST_F(GameRequestsTest, SoundAndDeviceRequestsReachTheirSubsystems) {
  EXPECT_EQ(Serve(kRequestSound, 33), Calls{"sound 33"});
  EXPECT_EQ(Serve(kRequestRecoverDevice), Calls{"recover device"});
  for (std::uint32_t message : {1024u, 1031u, 1123u, 1125u}) EXPECT_FALSE(IsGameRequest(message));
}

TEST_F(GameRequestsTest, AFileRequestFromTheGameThreadWaitsForItsAnswer) {
  int result = -1;
  std::thread game([&] { result = RequestFileDialog(kRequestOpenStage); });
  platform::MessageQueue& queue = platform::MainQueue();
  while (queue.Pending() == 0) queue.WaitFor(1);
  platform::QueuedMessage request;
  ASSERT_EQ(queue.Peek(request), platform::PeekResult::Message);
  EXPECT_EQ(request.message().message, kRequestOpenStage);
  queue.Dispatch(request);
  game.join();
  EXPECT_EQ(result, 1);
}

TEST_F(GameRequestsTest, ARequestMadeWhileTheProgramClosesEndsWithoutAnAnswer) {
  platform::MainQueue().BeginClose();
  int result = -1;
  bool named = true;
  std::thread game([&] {
    result = RequestFileDialog(kRequestOpenReplay);
    named = RequestNameDialog();
  });
  game.join();
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(named);
  EXPECT_TRUE(fakes_.calls.empty());
}

}  // namespace
