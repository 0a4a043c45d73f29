#pragma once

// Hands the application core the drawing library's frame work: pacing, lost-surface repair,
// the present and the window's repaint; and routes the application's message boxes through
// the library while the display is full screen. The start-up installs it once the library is
// up; DDUnInit removes it, since nothing may present through a library that is gone.
void DDInstallDrawingLink();
void DDRemoveDrawingLink();
