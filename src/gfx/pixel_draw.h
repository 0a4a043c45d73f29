#pragma once

#include <string_view>

#include "core/message_boxes.h"
#include "gfx/surface_data.h"

// Single pixels, circle outlines, and the message box over a full-screen device.
void DDSetPixel(DDSURFACEDATA* lpDst, int x, int y, DWORD dwPalNum);
void DDDrawCircle(DDSURFACEDATA* lpDst, int cx, int cy, int r, DWORD dwPalNum);

int DDSetDialogBoxMode(int bOn);
// 1 when the box was shown (its answer in *lpAnswer when asked for), 0 when the dialog-box
// mode cannot be set.
int DDMesBox(std::string_view text, std::string_view caption, BoxButtons type, BoxAnswer* lpAnswer = nullptr);
// Makes the application's message boxes go through DDMesBox while the library is initialised
// and the display is full screen.
void DDConnectBoxPresenter();
