#pragma once

#include <array>
#include <cstddef>

// How the drawing library builds one surface: from a bitmap file, or blank ("E") of the given
// size. The rest of the program addresses surfaces by their row number in SurfaceDefs.
struct SurfaceDef {
  char fileName[260];  // relative to the game folder; "E" makes a blank surface
  int colorKey;        // 1: the transparent colour applies when drawing from it
  int ddSystemMemory;  // 1: the DirectDraw surface lives in system memory
  int d3dMemoryType;   // Direct3D texture memory type (0 default)
  int d3dAlias;        // 1: under Direct3D the row draws through the row it is linked to
  int indexMap;
  int optional;         // 1: a bitmap that cannot be loaded leaves the row empty
  int mirrorCellWidth;  // mirrored sheets: the cell width mirrored cell by cell; 0 otherwise
  int mirrorCellHeight;
  int width;  // blank surfaces only
  int height;
};

constexpr int kSurfaceRowCount = 71;
// The eight background slots; the play scene writes the stage's background files into them.
constexpr int kBackgroundFirstRow = 55;
constexpr int kBackgroundRowCount = 8;
// Rows the play scene draws from by name.
namespace play_rows {
constexpr int kBlockSheet = 43;  // items and blocks
constexpr int kStatusBar = 46;
constexpr int kAccessory = 49;   // status icons, gauges and the menu cursor
constexpr int kWord = 51;        // banners and digits
constexpr int kDarkness = 65;
constexpr int kLight = 66;
constexpr int kWork = 67;        // screen-sized work surfaces
constexpr int kSecondWork = 68;
}  // namespace play_rows

// Filled before the program starts; the background rows' file names change at run time.
extern SurfaceDef SurfaceDefs[kSurfaceRowCount];

// The blank surfaces of the three fonts' digit sheets, sized from the fonts when made.
extern SurfaceDef NumberSheetDefs[3];

// One font: face, metrics, colour, frame and glyph sheet.
struct FontDef {
  char faceName[256];  // replaced at start-up by the project's font face
  int width;           // 0: the face's own
  int height;
  int charSpacing;
  int lineSpacing;
  int colorIndex;  // palette index
  int frameRow;    // SurfaceDefs row of the message frame
  int frameParam1;
  int frameParam2;
  int sheetRow;   // SurfaceDefs row of the glyph sheet
  int cacheMode;  // 2: taken from System.ini at start-up
};

constexpr int kFontCount = 3;
// Font 0 is the small font, 1 the menu font, 2 the large font.
extern FontDef FontDesc[kFontCount];

// Under Direct3D an aliased row draws through another row's texture: a sheet, its mirrored
// row and both system-memory copies share one.
struct SurfaceLink {
  int row;
  int source;
};

inline constexpr std::array<SurfaceLink, 31> SurfaceLinks = {{
    {3, 2},   {5, 4},   {7, 6},   {9, 8},   {11, 10}, {13, 12}, {15, 14}, {17, 16}, {19, 18}, {21, 20}, {22, 4},
    {23, 4},  {24, 6},  {25, 6},  {26, 8},  {27, 8},  {28, 10}, {29, 10}, {30, 12}, {31, 12}, {32, 14}, {33, 14},
    {34, 16}, {35, 16}, {36, 18}, {37, 18}, {38, 20}, {39, 20}, {41, 40}, {44, 43}, {68, 67},
}};

// Hands every link to the drawing library's setter: link(row, source).
template <typename Link>
void LinkSurfacePairs(Link&& link) {
  for (const SurfaceLink& pair : SurfaceLinks) link(pair.row, pair.source);
}

// The rows each scene builds when it begins.
namespace surface_rows {

template <std::size_t N>
using Rows = std::array<int, N>;

inline constexpr Rows<1> kStartup = {1};

// Rows 2-47, 49-51 and 55-70, for a play scene entered from another scene.
inline constexpr Rows<65> kPlayScene = [] {
  Rows<65> rows{};
  std::size_t at = 0;
  for (int r = 2; r <= 47; ++r) rows[at++] = r;
  for (int r = 49; r <= 51; ++r) rows[at++] = r;
  for (int r = 55; r <= 70; ++r) rows[at++] = r;
  return rows;
}();

// A play scene following a play scene only needs the stage's backgrounds again.
inline constexpr Rows<8> kPlaySceneAgain = {55, 56, 57, 58, 59, 60, 61, 62};
inline constexpr Rows<4> kTitle = {47, 48, 49, 45};
inline constexpr Rows<6> kWorldMap = {54, 52, 53, 49, 45, 67};
inline constexpr Rows<3> kWorldMapMenu = {45, 50, 49};
inline constexpr Rows<2> kStageSelect = {49, 45};
inline constexpr Rows<2> kOptions = {49, 45};

}  // namespace surface_rows
