#pragma once

class cFlowActor;

// Gives the character the motions of animation set `set` of the database: one motion per
// motion record, each frame held for its time, looping. Unless forced, the set it already has
// changes nothing. A set outside the database is reported and the first one taken.
void SetAnimeSet(cFlowActor& chara, int set, int force);
