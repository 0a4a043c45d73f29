#include "app/game_request_handler.h"

#include <string>

#include "app/request_services.h"
#include "core/close_request.h"
#include "core/game_requests.h"
#include "core/message_boxes.h"
#include "core/system_ini.h"
#include "core/thread.h"
#include "core/user_files.h"

namespace {

struct FileDialogTexts {
  const char* englishTitle;
  const char* title;
  const char* initialFolder;
  const char* filterName;
  const char* filterPattern;
  const char* defaultExtension;
};

constexpr FileDialogTexts kStageDialog = {"Load stage file", "ステージファイルの読み込み", "data\\stg4\\",
                                          "StageFile ( *.stg4_*;*.rpl4_* )", "*.stg4_*;*.rpl4_*", "stg4_*;rpl4_*"};
constexpr FileDialogTexts kReplayDialog = {"Load replay file", "リプレイファイルの読み込み", "user_data\\rpl4",
                                           "ReplayFile ( *.rpl4_* )", "*.rpl4_*", "rpl4_*"};

// The result is set before the done flag, which the sender polls.
void FinishFileRequest(bool succeeded) {
  FileDialogResult = succeeded ? 1 : 0;
  FileDialogDone = 1;
}

bool ChooseFile(const FileDialogTexts& texts, std::string& path) {
  cRequestServices& services = RequestServices();
  services.SetDialogBoxMode(1);
  const OpenFileRequest request{SystemIni.English != 0 ? texts.englishTitle : texts.title, texts.initialFolder,
                                texts.filterName, texts.filterPattern, texts.defaultExtension};
  const bool chosen = services.GetOpenFileName(request, path);
  services.SetDialogBoxMode(0);
  return chosen;
}

// A chosen file that cannot be acted on ends the program; the sender is told it failed.
void ActOnFile(bool succeeded) {
  if (!succeeded) PostCloseRequest();
  FinishFileRequest(succeeded);
}

void ServeNameDialog() {
  cRequestServices& services = RequestServices();
  services.SetDialogBoxMode(1);
  SuspendAllThreads();
  services.RunNameDialog();
  services.SetDialogBoxMode(0);
  ResumeAllThreads();
  NameDialogDone = 1;
}

void ServeOpenStage() {
  std::string path;
  if (!ChooseFile(kStageDialog, path)) return FinishFileRequest(false);
  ActOnFile(RequestServices().PlayStageFile(path, 0));
}

// A replay that does not read is said before the program closes.
void ServeOpenReplay() {
  std::string path;
  if (!ChooseFile(kReplayDialog, path)) return FinishFileRequest(false);
  cRequestServices& services = RequestServices();
  const bool read = services.ReadReplayFile(path);
  if (!read) ErrorBoxF("%s の読み込みに失敗！", path.c_str());
  services.SetStageFilePath(path);
  ActOnFile(read);
}

// A replay that cannot be written is said and play goes on: closing would lose the play in
// progress as well.
void ServeSaveReplay(std::uintptr_t buffer) {
  std::string path;
  cRequestServices& services = RequestServices();
  if (!services.ReplaySaveDialog(path)) return FinishFileRequest(false);
  const bool written = services.WriteReplayFile(buffer == 0 ? 0 : 1, path);
  if (!written) ReportSaveFailure(path);
  FinishFileRequest(written);
}

// Slots 0-3 are the menus' music, slot 4 the stage's.
void ServeMusic(std::uintptr_t slotParam, std::intptr_t number) {
  cRequestServices& sound = RequestServices();
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

std::intptr_t ServeGameRequest(const platform::Message& message) {
  switch (message.message) {
    case kRequestNameDialog: ServeNameDialog(); break;
    case kRequestOpenStage: ServeOpenStage(); break;
    case kRequestOpenReplay: ServeOpenReplay(); break;
    case kRequestSaveReplay: ServeSaveReplay(message.wParam); break;
    case kRequestSound: RequestServices().PlaySoundEffect(static_cast<int>(message.wParam)); break;
    case kRequestMusic: ServeMusic(message.wParam, message.lParam); break;
    case kRequestRecoverDevice: RequestServices().RecoverDevice(); break;
    default: break;
  }
  return 0;
}
