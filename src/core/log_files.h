#pragma once

// The error log (switched off) and the report log, both files of the game folder named by
// host paths. A report log that cannot be opened is said on stderr, and the program starts
// without it: a game that cannot write its report still plays.
void StartLogFiles();
