#pragma once

#include <string>

// What an open-file dialog shows. Texts are CP932.
struct OpenFileRequest {
  std::string title;
  std::string initialFolder;
  std::string filterName;
  std::string filterPattern;     // e.g. "*.stg4_*;*.rpl4_*"
  std::string defaultExtension;  // e.g. "stg4_*;rpl4_*"
};

// The subsystems' work behind the game side's requests to the main window. The defaults
// are the program's own: the drawing library's dialog-box mode and device recovery, sound
// effects and music, the replay files and their dialogs. Tests put their own in place.
class cRequestServices {
 public:
  virtual ~cRequestServices() = default;

  virtual void SetDialogBoxMode(int on);
  virtual void RecoverDevice();

  // Creates the ranking-name dialog, runs it modally and deletes it (reporting a failed
  // allocation itself).
  virtual void RunNameDialog();
  // True with the chosen path (CP932) when a file was chosen.
  virtual bool GetOpenFileName(const OpenFileRequest& request, std::string& path);

  // Sets the game up to play the stage file (free play).
  virtual bool PlayStageFile(const std::string& path, int newest);
  // Reads a replay file into the replay, the live and start-of-stage stage and the progress.
  virtual bool ReadReplayFile(const std::string& path);
  virtual void SetStageFilePath(const std::string& path);
  // The save dialog for a replay, proposing a name from the stage key of the progress.
  virtual bool ReplaySaveDialog(std::string& path);
  // Writes replay buffer 0 or 1 with the progress kept beside it.
  virtual bool WriteReplayFile(int buffer, const std::string& path);

  // Plays the sound of slot id; the slot table's own checked access handles a bad id.
  virtual void PlaySoundEffect(int id);
  virtual void StopMusic();
  // The music number of a menu usage slot (0-3) and its loop flag, from the project's system
  // data with checked access.
  virtual int MenuMusicNumber(int slot);
  virtual int MenuMusicLoop(int slot);
  // The file name of a music database record, with checked access.
  virtual std::string MusicFileName(int number);
  virtual void SetMusicTrack(int track, const std::string& fileName);
  virtual void PlayMusic(int channel, int track, int loop, int pauseOthers, int force);
  // The stage music number and loop flag kept in the progress data.
  virtual void SetStageMusicNumber(int number);
  virtual int StageMusicLoop();
};

// nullptr puts the program's own back. Set before the game thread starts.
void SetRequestServices(cRequestServices* services);
cRequestServices& RequestServices();
