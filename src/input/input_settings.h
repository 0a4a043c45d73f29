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
  // The strings the name dialog edits in place (CP932, at most three characters): the
  // options' fixed ranking name while the options scene runs, else the play scene's ranking
  // entry. None (nullptr) until their owners register.
  virtual std::string* FixedRankingName() { return nullptr; }
  virtual std::string* RankingEntryName() { return nullptr; }
};

// nullptr puts the defaults back.
void SetInputSettings(cInputSettings* settings);
cInputSettings& InputSettings();
