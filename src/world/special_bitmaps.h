#pragma once

struct DDSURFACEDATA;

// The surfaces whose files come from the database, loaded when the play scene is entered:
// four per character bitmap exception (from record 1), four per sword type, two per effect
// (from record 1), each family with its rows; and the shot cells composed into rows 63 and
// 64. Kept for the whole process.
void LoadCharaBitmaps();
void LoadSwordBitmaps();
void LoadEffectBitmaps();
void ReleaseSpecialBitmaps();
// Every 16 x 16 cell of the two shot sheets centred in a 32 x 32 cell.
void ComposeShotCells();

// Surface k of a family; null beyond it.
DDSURFACEDATA* CharaSpecialSurface(int k);
DDSURFACEDATA* SwordSurface(int k);
DDSURFACEDATA* EffectSurface(int k);
