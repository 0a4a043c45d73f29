#pragma once

#include "data/database.h"
#include "data/system_data.h"
#include "data/world_map.h"
#include "make_sample_game/sample_names.h"

// The records of the sample game, built in memory through the project's own classes.
namespace sample {

// The catalogue: animation sets, animations, a sword type, effects, character and screen
// effects, the sign picture, the sounds and the music.
void BuildDatabase(cDatabase& database);
// Title, lives, menus, system sounds and menu music; everything else keeps the defaults of a
// new project.
void BuildSystemData(cSystemData& system);
// Islands with a road from the start house to three stage points.
void BuildWorldMap(cWorldMap& map);

}  // namespace sample
