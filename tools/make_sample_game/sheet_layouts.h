#pragma once

// Sizes of the game's bitmaps, each derived from how the runtime cuts it into cells.
namespace sample::layout {

constexpr int kCell = 32;        // blocks, characters, items, marks and world-map chips
constexpr int kSmallCell = 16;   // shots, small icons, symbols
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// Blocks: picture p lies in column p / 15, row p mod 15; picture 0 is the empty cell.
constexpr int kBlockRows = 15;
constexpr int kBlockColumns = 8;
constexpr int kBlockWidth = kBlockColumns * kCell;
constexpr int kBlockHeight = kBlockRows * kCell;

// Character sheets: fifteen characters, one a row; the picture column (pose) along x. Sixteen
// columns hold the poses, the invincible poses from column 4 and the block-character poses
// from column 8 (the animation sets' offsets).
constexpr int kCharaRows = 15;
constexpr int kCharaColumns = 16;
constexpr int kCharaWidth = kCharaColumns * kCell;
constexpr int kCharaHeight = kCharaRows * kCell;
constexpr int kInvincibleOffset = 4;
constexpr int kBlockCharaOffset = 8;

// Items: picture p in a 64-dot column p / 15 (two frames side by side), row p mod 15.
constexpr int kItemRows = 15;
constexpr int kItemColumns = 2;
constexpr int kItemWidth = kItemColumns * 2 * kCell;
constexpr int kItemHeight = kItemRows * kCell;
// Small item icons: 16 x 16 at ((p / 15) x 32, (p mod 15) x 16).
constexpr int kMiniItemWidth = kItemColumns * kCell;
constexpr int kMiniItemHeight = kItemRows * kSmallCell;

// Shots: 16 x 16 cells; picture n shows frame f from column f + (n / 30) x 2, row n mod 30.
// The runtime composes the whole 128 x 480 sheet into its shot cells.
constexpr int kShotRows = 30;
constexpr int kShotWidth = 8 * kSmallCell;
constexpr int kShotHeight = kShotRows * kSmallCell;

// Overlay marks: tile t in column t / 15, row t mod 15.
constexpr int kMarkColumns = 2;
constexpr int kMarkWidth = kMarkColumns * kCell;
constexpr int kMarkHeight = 15 * kCell;

// Interface sheets.
constexpr int kStatusBarWidth = 640;  // the status bar is drawn 640 x 20 from (0, 0)
constexpr int kStatusBarHeight = 20;
constexpr int kTitleMenuEntries = 7;  // one 32-dot strip per title menu entry
constexpr int kGameModeWidth = 256;
constexpr int kGameModeHeight = kTitleMenuEntries * kCell;
constexpr int kAccessoryWidth = 128;   // gauges reach x = 64 + 50
constexpr int kAccessoryHeight = 176;  // gauge fills end at y = 160 + 16
constexpr int kWordWidth = 10 * kCell;  // a row of ten 32 x 32 digits
constexpr int kWordHeight = 192;        // digit rows at y = 128 and 160
constexpr int kSymbolCellWidth = 16;    // the menu font's advance and line height
constexpr int kSymbolCellHeight = 16;
constexpr int kSymbolWidth = 26 * kSymbolCellWidth;  // pictures for 'a' to 'z'
constexpr int kSymbolHeight = kSymbolCellHeight;
constexpr int kDebugCellWidth = 8;  // the frame-rate read-out draws 8 x 16 cells
constexpr int kDebugCellHeight = 16;
constexpr int kDebugWidth = 16 * kDebugCellWidth;  // sixteen columns of codes
constexpr int kDebugHeight = 16 * kDebugCellHeight;

// World map: tiles in five columns of 32 x 32; point icons with the cleared look in column 1.
constexpr int kChipColumns = 5;
constexpr int kChipRows = 3;
constexpr int kChipWidth = kChipColumns * kCell;
constexpr int kChipHeight = kChipRows * kCell;
constexpr int kEventIcons = 4;
constexpr int kEventWidth = 2 * kCell;
constexpr int kEventHeight = kEventIcons * kCell;

// Palette.bmp: the transparent colour at (0, 0); entry n at column n mod 16, row 8 + n / 16.
constexpr int kPaletteWidth = 16;
constexpr int kPaletteHeight = 24;
constexpr int kPaletteBlockTop = 8;

// Effect pictures: cells in one row.
constexpr int kEffectCell = 32;

}  // namespace sample::layout
