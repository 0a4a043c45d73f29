#include "core/game_requests.h"

#include <string>

#include "core/close_request.h"
#include "core/subsystem_links.h"
#include "core/system_ini.h"
#include "core/thread.h"
#include "platform/message_queue.h"
#include "platform/worker_thread.h"

std::atomic<int> NameDialogDone{0};
std::atomic<int> FileDialogDone{0};
std::atomic<int> FileDialogResult{0};

namespace {

struct FileDialogTexts {
  const char* englishTitle;
  const char* title;
  const char* initialFolder;
  const char* filterName;
  const char* filterPattern;
};

constexpr FileDialogTexts kStageDialog = {"Load stage file", "ステージファイルの読み込み", "data\\stg4\\",
                                          "StageFile ( *.stg4_*;*.rpl4_* )", "stg4_*;rpl4_*"};
constexpr FileDialogTexts kReplayDialog = {"Load replay file", "リプレイファイルの読み込み", "user_data\\rpl4",
                                           "ReplayFile ( *.rpl4_* )", "rpl4_*"};

// The result is set before the done flag, which the sender polls.
void FinishFileRequest(bool succeeded) {
  FileDialogResult = succeeded ? 1 : 0;
  FileDialogDone = 1;
}

bool ChooseFile(const FileDialogTexts& texts, std::string& path) {
  DrawingLink().SetDialogBoxMode(1);
  const OpenFileRequest request{SystemIni.English != 0 ? texts.englishTitle : texts.title, texts.initialFolder,
                                texts.filterName, texts.filterPattern};
  const bool chosen = InputLink().GetOpenFileName(request, path);
  DrawingLink().SetDialogBoxMode(0);
  return chosen;
}

// A chosen file that cannot be acted on ends the program; the sender is told it failed.
void ActOnFile(bool succeeded) {
  if (!succeeded) PostCloseRequest();
  FinishFileRequest(succeeded);
}

void ServeNameDialog() {
  DrawingLink().SetDialogBoxMode(1);
  SuspendAllThreads();
  InputLink().RunNameDialog();
  DrawingLink().SetDialogBoxMode(0);
  ResumeAllThreads();
  NameDialogDone = 1;
}

void ServeOpenStage() {
  std::string path;
  if (!ChooseFile(kStageDialog, path)) return FinishFileRequest(false);
  ActOnFile(MenusLink().PlayStageFile(path, 0));
}

void ServeOpenReplay() {
  std::string path;
  if (!ChooseFile(kReplayDialog, path)) return FinishFileRequest(false);
  const bool read = MenusLink().ReadReplayFile(path);
  MenusLink().SetStageFilePath(path);
  ActOnFile(read);
}

void ServeSaveReplay(std::uintptr_t buffer) {
  std::string path;
  if (!MenusLink().ReplaySaveDialog(path)) return FinishFileRequest(false);
  ActOnFile(MenusLink().WriteReplayFile(buffer == 0 ? 0 : 1, path));
}

// Slots 0-3 are the menus' music, slot 4 the stage's.
void ServeMusic(std::uintptr_t slotParam, std::intptr_t number) {
  cSoundLink& sound = SoundLink();
  if (slotParam <= 3) {
    const int slot = static_cast<int>(slotParam);
    const int music = sound.MenuMusicNumber(slot);
    if (music == 0) return sound.StopMusic();
    sound.SetMusicTrack(slot, sound.MusicFileName(music));
    sound.PlayMusic(0, slot, sound.MenuMusicLoop(slot), 0, 1);
  } else if (slotParam == 4) {
    const int music = static_cast<int>(number);
    sound.SetStageMusicNumber(music);
    sound.SetMusicTrack(4, sound.MusicFileName(music));
    if (music == 0) return sound.StopMusic();
    sound.PlayMusic(0, 4, sound.StageMusicLoop(), 0, 1);
  }
}

}  // namespace

bool IsGameRequest(std::uint32_t message) {
  return (message >= kRequestNameDialog && message <= kRequestMusic) || message == kRequestRecoverDevice;
}

std::intptr_t ServeGameRequest(const platform::Message& message) {
  switch (message.message) {
    case kRequestNameDialog: ServeNameDialog(); break;
    case kRequestOpenStage: ServeOpenStage(); break;
    case kRequestOpenReplay: ServeOpenReplay(); break;
    case kRequestSaveReplay: ServeSaveReplay(message.wParam); break;
    case kRequestSound: SoundLink().PlaySoundEffect(static_cast<int>(message.wParam)); break;
    case kRequestMusic: ServeMusic(message.wParam, message.lParam); break;
    case kRequestRecoverDevice: DrawingLink().RecoverDevice(); break;
    default: break;
  }
  return 0;
}

std::intptr_t SendToMainWindow(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return platform::MainQueue().Send(platform::Message{message, wParam, lParam});
}

bool WaitForDoneFlag(const std::atomic<int>& flag) {
  while (flag.load() == 0) {
    // Once the close has begun no request is served any more: the flag will never come.
    if (platform::MainQueue().Closing() || !platform::SleepOrStop(1)) return false;
  }
  return true;
}

int RequestFileDialog(std::uint32_t message, std::uintptr_t wParam) {
  FileDialogDone = 0;
  SendToMainWindow(message, wParam);
  if (!WaitForDoneFlag(FileDialogDone)) return 0;
  return FileDialogResult.load();
}

bool RequestNameDialog() {
  NameDialogDone = 0;
  SendToMainWindow(kRequestNameDialog);
  return WaitForDoneFlag(NameDialogDone);
}
