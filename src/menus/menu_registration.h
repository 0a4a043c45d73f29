#pragma once

// The title, the world map, its menu, the stage select and the options as the scene manager's
// scenes 0, 1, 2, 3 and 5.
void RegisterMenuScenes();
