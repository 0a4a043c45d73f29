#pragma once

#include <cstdint>
#include <string>

// What the application core calls in the subsystems that build on it: the frame step's
// drawing and input steps, the window's repaint and the close sequence's steps. The core
// keeps each protocol (order of steps, failures, close) and asks the subsystem only for its
// own work. The program registers each subsystem's implementation; until then the default
// stands in: no drawing (the window shows a cleared frame), no input, no music.

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
};

class cInputLink {
 public:
  virtual ~cInputLink() = default;
  virtual void UpdateInput() {}
};

class cSoundLink {
 public:
  virtual ~cSoundLink() = default;
  // The close sequence stops the music before it ends the game side's threads.
  virtual void StopMusic() {}
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
void SetSoundLink(cSoundLink* link);
void SetWorldLink(cWorldLink* link);

cDrawingLink& DrawingLink();
cInputLink& InputLink();
cSoundLink& SoundLink();
cWorldLink& WorldLink();
