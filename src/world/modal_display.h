#pragma once

// The procedure of the modal display thread: the frozen play field and its display drawn
// frame by frame, with input from a copy of the players' records, until the display's state
// ends (a new press of button 1 for one that waits for it, else its time), the thread is
// asked to quit, or two seconds after the program began to close. `scene` is the play scene.
// 0 when the scene was already quitting.
unsigned ModalDisplayProc(void* scene);
// The procedure of the ranking thread after an entry: the frozen field and the ranking panel of
// the shown kind with the place reached marked, button 4 moving to the next kind the play mode
// keeps, until button 1 (which then latches for the game) or the close.
unsigned RankingDisplayProc(void* scene);
