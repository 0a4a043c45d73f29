#include "data/surface_defs.h"

// Columns: file, colour key, DirectDraw system memory, Direct3D memory type, Direct3D alias,
// index map, optional, mirror cell width, mirror cell height, width, height.
SurfaceDef SurfaceDefs[kSurfaceRowCount] = {
    {"bmp\\plt\\Palette.bmp", 0, 1, 0, 0, 0, 0, 0, 0, 0, 0},  // 0
    {"bmp\\Debug.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 1
    {"bmp\\Block.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 2
    {"bmp\\Block.bmp", 1, 1, 0, 1, 0, 0, 0, 0, 0, 0},  // 3
    {"bmp\\Character1.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 4
    {"bmp\\Character1.bmp", 1, 0, 0, 1, 0, 0, 32, 0, 0, 0},  // 5
    {"bmp\\Character2.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 6
    {"bmp\\Character2.bmp", 1, 0, 0, 1, 0, 1, 32, 0, 0, 0},  // 7
    {"bmp\\Character3.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 8
    {"bmp\\Character3.bmp", 1, 0, 0, 1, 0, 1, 32, 0, 0, 0},  // 9
    {"bmp\\Character4.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 10
    {"bmp\\Character4.bmp", 1, 0, 0, 1, 0, 1, 32, 0, 0, 0},  // 11
    {"bmp\\Character5.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 12
    {"bmp\\Character5.bmp", 1, 0, 0, 1, 0, 1, 32, 0, 0, 0},  // 13
    {"bmp\\Character6.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 14
    {"bmp\\Character6.bmp", 1, 0, 0, 1, 0, 1, 32, 0, 0, 0},  // 15
    {"bmp\\Character7.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 16
    {"bmp\\Character7.bmp", 1, 0, 0, 1, 0, 1, 32, 0, 0, 0},  // 17
    {"bmp\\Character8.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 18
    {"bmp\\Character8.bmp", 1, 0, 0, 1, 0, 1, 32, 0, 0, 0},  // 19
    {"bmp\\Shot.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 20
    {"bmp\\Shot.bmp", 1, 0, 0, 1, 0, 0, 16, 0, 0, 0},  // 21
    {"bmp\\Character1.bmp", 1, 1, 0, 1, 0, 0, 0, 0, 0, 0},  // 22
    {"bmp\\Character1.bmp", 1, 1, 0, 1, 0, 0, 32, 0, 0, 0},  // 23
    {"bmp\\Character2.bmp", 1, 1, 0, 1, 0, 1, 0, 0, 0, 0},  // 24
    {"bmp\\Character2.bmp", 1, 1, 0, 1, 0, 1, 32, 0, 0, 0},  // 25
    {"bmp\\Character3.bmp", 1, 1, 0, 1, 0, 1, 0, 0, 0, 0},  // 26
    {"bmp\\Character3.bmp", 1, 1, 0, 1, 0, 1, 32, 0, 0, 0},  // 27
    {"bmp\\Character4.bmp", 1, 1, 0, 1, 0, 1, 0, 0, 0, 0},  // 28
    {"bmp\\Character4.bmp", 1, 1, 0, 1, 0, 1, 32, 0, 0, 0},  // 29
    {"bmp\\Character5.bmp", 1, 1, 0, 1, 0, 1, 0, 0, 0, 0},  // 30
    {"bmp\\Character5.bmp", 1, 1, 0, 1, 0, 1, 32, 0, 0, 0},  // 31
    {"bmp\\Character6.bmp", 1, 1, 0, 1, 0, 1, 0, 0, 0, 0},  // 32
    {"bmp\\Character6.bmp", 1, 1, 0, 1, 0, 1, 32, 0, 0, 0},  // 33
    {"bmp\\Character7.bmp", 1, 1, 0, 1, 0, 1, 0, 0, 0, 0},  // 34
    {"bmp\\Character7.bmp", 1, 1, 0, 1, 0, 1, 32, 0, 0, 0},  // 35
    {"bmp\\Character8.bmp", 1, 1, 0, 1, 0, 1, 0, 0, 0, 0},  // 36
    {"bmp\\Character8.bmp", 1, 1, 0, 1, 0, 1, 32, 0, 0, 0},  // 37
    {"bmp\\Shot.bmp", 1, 1, 0, 1, 0, 0, 0, 0, 0, 0},  // 38
    {"bmp\\Shot.bmp", 1, 1, 0, 1, 0, 0, 16, 0, 0, 0},  // 39
    {"bmp\\Item.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 40
    {"bmp\\Item.bmp", 1, 1, 0, 1, 0, 0, 0, 0, 0, 0},  // 41
    {"bmp\\Item_Mini.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 42
    {"bmp\\Mark.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 43
    {"bmp\\Mark.bmp", 1, 1, 0, 1, 0, 0, 0, 0, 0, 0},  // 44
    {"bmp\\Window.bmp", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 45
    {"bmp\\StatusWindow.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 46
    {"bmp\\Title.bmp", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 47
    {"bmp\\GameMode.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 48
    {"bmp\\Accessory.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 49
    {"bmp\\Symbol.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 50
    {"bmp\\Word.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 51
    {"bmp\\WorldMapChip.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 52
    {"bmp\\WorldEvent.bmp", 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},  // 53
    {"bmp\\WorldBack.bmp", 0, 1, 0, 0, 0, 1, 0, 0, 0, 0},  // 54
    {"背景その1.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 55
    {"背景その2.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 56
    {"背景その3.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 57
    {"背景その4.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 58
    {"背景その5.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 59
    {"背景その6.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 60
    {"背景その7.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 61
    {"背景その8.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0},  // 62
    {"E", 1, 1, 0, 0, 0, 0, 0, 0, 256, 960},  // 63
    {"E", 1, 1, 0, 0, 0, 0, 0, 0, 256, 960},  // 64
    {"E", 1, 1, 0, 0, 0, 0, 0, 0, 640, 480},  // 65
    {"E", 0, 1, 0, 0, 0, 0, 0, 0, 640, 480},  // 66
    {"E", 1, 0, 0, 0, 0, 0, 0, 0, 640, 480},  // 67
    {"E", 1, 1, 0, 1, 0, 0, 0, 0, 640, 480},  // 68
    {"E", 1, 0, 2, 0, 0, 0, 0, 0, 1024, 1024},  // 69
    {"E", 1, 1, 1, 0, 0, 0, 0, 0, 1024, 1024},  // 70
};

SurfaceDef NumberSheetDefs[3] = {
    {"", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {"", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {"", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

// Columns: face, width, height, character spacing, line spacing, colour, frame row, the two
// frame parameters, glyph-sheet row, cache mode.
FontDef FontDesc[kFontCount] = {
    {"ＭＳ ゴシック", 0, 9, 10, 10, 241, 45, 1, 240, 50, 2},
    {"ＭＳ ゴシック", 0, 16, 16, 16, 241, 45, 1, 240, 50, 2},
    {"ＭＳ ゴシック", 0, 30, 32, 32, 241, 45, 1, 240, 50, 0},
};
