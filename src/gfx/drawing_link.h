#pragma once

// Hands the application core the drawing library's frame work: pacing, lost-surface repair,
// the present, the window's repaint, the device recovery and the dialog-box mode; and routes
// the application's message boxes through the library while the display is full screen.
void DDInstallDrawingLink();
void DDRemoveDrawingLink();
