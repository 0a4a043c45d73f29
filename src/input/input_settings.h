#pragma once

#include <string>

#include "input/key_config.h"

// What the input and its dialogs read of the player's saved settings, which the menus own
// (the key configuration file, the options' fixed ranking name, the name being entered). The
// menus register their own; until then the defaults stand: the built-in map and no names.
class cInputSettings {
 public:
  virtual ~cInputSettings() = default;
  virtual KeyConfig KeyConfiguration();
  // The name every ranking entry takes without asking; empty when the player is asked.
  virtual std::string FixedRankingName() { return {}; }
  // The ranking name the name dialog edits (CP932, at most three characters).
  virtual std::string RankingEntryName() { return {}; }
};

// nullptr puts the defaults back.
void SetInputSettings(cInputSettings* settings);
cInputSettings& InputSettings();
