#pragma once

#include "make_sample_game/pixel_canvas.h"

// Painters of every bitmap of the sample game, one per file. Each returns the finished picture
// in the shared palette.
namespace sample {

Canvas PaintPalette();
Canvas PaintDebugSheet();
Canvas PaintBlocks();
Canvas PaintCharacters();
Canvas PaintShots();
Canvas PaintItems();
Canvas PaintMiniItems();
Canvas PaintMarks();
Canvas PaintWindow();
Canvas PaintStatusBar();
Canvas PaintTitle();
Canvas PaintGameMode();
Canvas PaintAccessory();
Canvas PaintSymbols();
Canvas PaintWords();
Canvas PaintWorldChips();
Canvas PaintWorldEvents();
Canvas PaintWorldBack();
Canvas PaintBackSky();
Canvas PaintBackHills();
Canvas PaintBackDusk();
Canvas PaintBackNight();
Canvas PaintSignPicture();
Canvas PaintBurstEffect();
Canvas PaintSparkleEffect();
Canvas PaintSwordLeft();
Canvas PaintSwordRight();

}  // namespace sample
