#pragma once

#include <string>
#include <vector>

#include "world/world_demo.h"
#include "world/world_sound.h"

class cScenePlay;
struct DDSURFACEDATA;

namespace preview {

// The project's database, before the common palette and the stage are read (their sounds and
// effects are checked against it).
bool LoadDatabase(std::string& why);
// The game's own pictures for the field: the palette and transparent colour, the play
// scene's surface rows and the fonts. The drawing library must be up.
bool LoadSprites(std::string& why);
void ReleaseSprites();
// The field as the game's sprites show it: blocks, items, characters with their held items and
// death displays, shots, effects and messages. Effects and messages that are over leave their
// lists, as the play scene's drawing has them do.
void DrawSprites(cScenePlay& s, DDSURFACEDATA* target);

// The sounds the world asks for, printed with the frame they came in.
class cPrintedSounds : public cWorldSoundLink {
 public:
  void PlaySE(int id) override;
  void PlayUserSE(int number) override;
  int frame = 0;
};

// A frame worth a screenshot, and what it shows.
struct ScenePhoto {
  int frame;
  const char* name;
};

// Scripted scenes on Meadow Run, one after another: the hero walks and jumps high and low,
// lands on a gem, bounces on a spring, stands by the beetle that carries a heart while volleys
// fly and its sword swings, reads the signpost, and sees an enemy burst. Walkers patrol and
// fire as the demo's actors do.
class cSceneScript : public cDemoFlowLink {
 public:
  cSceneScript() : cDemoFlowLink(false, true) {}
  int RunFlowFrameStep(cCharaBase& chara, int dyingOnly) override;
  // Before frame `frame` is stepped: moves the hero between scenes and starts their events.
  // Lines saying what happened go to stdout.
  void BeforeFrame(cScenePlay& s, int frame);
  // After it: what the scene measures.
  void AfterFrame(cScenePlay& s, int frame);

  static const std::vector<ScenePhoto>& Photos();
  static int Frames();

 private:
  double walk_ = 0;     // the hero's own speed per frame
  double jumpTop_ = 0;  // the highest point of the hero's feet since the scene began
  double jumpFrom_ = 0;
  int burstTarget_ = -1;
};

}  // namespace preview
