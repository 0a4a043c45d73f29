#pragma once

#include <cstdint>
#include <string>

// What the application core calls in the subsystems that build on it: the frame step's
// drawing and input steps and the main window's requests. The core keeps each protocol
// (order of steps, done flags, failures, close) and asks the subsystem only for its own
// work. A subsystem registers its implementation when it starts; until then the default
// implementation stands in: no drawing (the window shows a cleared frame), no input, no
// dialogs (every file dialog is cancelled), no sound.

// Where and how the frame-rate read-out is drawn.
struct FpsTextLayout {
  int font = 0;  // 0 the 10-dot font, 1 the 16-dot font
  int x = 0;
  int y = 0;
  bool boxed = false;
};

class cDrawingLink {
 public:
  virtual ~cDrawingLink() = default;
  // True when the backend paces the frames itself when it presents (the Direct3D path);
  // otherwise the frame step waits at the frame gate.
  virtual bool PacesFrames() { return false; }
  // Lost surfaces repaired before the frame; false ends the program.
  virtual bool RestoreSurfaces() { return true; }
  virtual void DrawFpsText(const std::string& /*text*/, const FpsTextLayout& /*layout*/) {}
  // Shows the finished frame; false when the device was lost and must be recovered on the
  // main thread.
  virtual bool Present();
  // The window needs repainting (main thread).
  virtual void PaintWindow();
  virtual void RecoverDevice() {}
  virtual void SetDialogBoxMode(int /*on*/) {}
};

// What an open-file dialog shows. Texts are CP932.
struct OpenFileRequest {
  std::string title;
  std::string initialFolder;
  std::string filterName;
  std::string filterPattern;
};

class cInputLink {
 public:
  virtual ~cInputLink() = default;
  virtual void UpdateInput() {}
  // Creates the ranking-name dialog, runs it modally and deletes it (reporting a failed
  // allocation itself).
  virtual void RunNameDialog() {}
  // True with the chosen path (CP932) when a file was chosen.
  virtual bool GetOpenFileName(const OpenFileRequest& /*request*/, std::string& /*path*/) { return false; }
};

class cMenusLink {
 public:
  virtual ~cMenusLink() = default;
  virtual bool PlayStageFile(const std::string& /*path*/, int /*directPlay*/) { return false; }
  // Reads a replay file into the replay, the live and start-of-stage stage and the progress.
  virtual bool ReadReplayFile(const std::string& /*path*/) { return false; }
  virtual void SetStageFilePath(const std::string& /*path*/) {}
  // The save dialog for a replay, proposing a name from the stage file path.
  virtual bool ReplaySaveDialog(std::string& /*path*/) { return false; }
  // Writes replay buffer 0 (with its progress) or 1.
  virtual bool WriteReplayFile(int /*buffer*/, const std::string& /*path*/) { return false; }
};

class cSoundLink {
 public:
  virtual ~cSoundLink() = default;
  // Plays the sound of slot id; the slot table's own checked access handles a bad id.
  virtual void PlaySoundEffect(int /*id*/) {}
  virtual void StopMusic() {}
  // The music number of a menu usage slot (0-3) and its loop flag, from the project's system
  // data with checked access.
  virtual int MenuMusicNumber(int /*slot*/) { return 0; }
  virtual int MenuMusicLoop(int /*slot*/) { return 0; }
  // The file name of a music database record, with checked access.
  virtual std::string MusicFileName(int /*number*/) { return std::string(); }
  virtual void SetMusicTrack(int /*track*/, const std::string& /*fileName*/) {}
  virtual void PlayMusic(int /*channel*/, int /*track*/, int /*loop*/, int /*pauseOthers*/, int /*force*/) {}
  // The stage music number and loop flag kept in the progress data.
  virtual void SetStageMusicNumber(int /*number*/) {}
  virtual int StageMusicLoop() { return 0; }
};

class cWorldLink {
 public:
  virtual ~cWorldLink() = default;
  // The play scene's quit flag, seen by the game thread when its modal display has ended.
  virtual void SetPlaySceneQuit() {}
};

// Registration; nullptr puts the default back. Links are set before the game thread starts.
void SetDrawingLink(cDrawingLink* link);
void SetInputLink(cInputLink* link);
void SetMenusLink(cMenusLink* link);
void SetSoundLink(cSoundLink* link);
void SetWorldLink(cWorldLink* link);

cDrawingLink& DrawingLink();
cInputLink& InputLink();
cMenusLink& MenusLink();
cSoundLink& SoundLink();
cWorldLink& WorldLink();
