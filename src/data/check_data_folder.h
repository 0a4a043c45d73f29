#pragma once

// Makes sure the project's working data folder exists: on the first start it is made from
// the pristine default folder after the player agrees. 1 when data\ is a folder (already,
// or after the copy); 0 when there is none, the player declined, or the copy failed. A plain
// file named data is refused and left alone.
int CheckDataFolder();
