#pragma once

#include <array>

// Every file and folder of the project and of the player's data, relative to the game folder
// (CP932, Windows form). Rows come in pairs where the authoring tool ships a pristine copy
// under default\ beside the working copy under data\; the runtime reads only data\ and writes
// only below user_data\.
inline constexpr std::array<const char*, 48> ProjectPaths = {
    "data\\",                                 // 0
    "default\\",                              // 1
    "data\\stg4\\old_ver\\",                  // 2
    "data\\work\\",                           // 3
    "e_data\\EditConfig.dat",                 // 4
    "data\\PrjOption.dat",                    // 5
    "default\\PrjOption.dat",                 // 6
    "data\\CommonPalette.cplt4",              // 7
    "default\\CommonPalette.cplt4",           // 8
    "data\\GValInfo.dat",                     // 9
    "default\\GValInfo.dat",                  // 10
    "data\\stg4\\Default.stg4_***",           // 11
    "default\\stg4\\Default.stg4_***",        // 12
    "data\\WorldMap.dat",                     // 13
    "default\\WorldMap.dat",                  // 14
    "data\\database\\AnimeSet.dat",           // 15
    "default\\database\\AnimeSet.dat",        // 16
    "data\\database\\Anime.dat",              // 17
    "default\\database\\Anime.dat",           // 18
    "data\\database\\Bmp_CharaExc.dat",       // 19
    "default\\database\\Bmp_CharaExc.dat",    // 20
    "data\\database\\SwordType.dat",          // 21
    "default\\database\\SwordType.dat",       // 22
    "data\\database\\Effect.dat",             // 23
    "default\\database\\Effect.dat",          // 24
    "data\\database\\CharaEffect.dat",        // 25
    "default\\database\\CharaEffect.dat",     // 26
    "data\\database\\ScrEffect.dat",          // 27
    "default\\database\\ScrEffect.dat",       // 28
    "data\\database\\Picture.dat",            // 29
    "default\\database\\Picture.dat",         // 30
    "data\\database\\Sound.dat",              // 31
    "default\\database\\Sound.dat",           // 32
    "data\\database\\Bgm.dat",                // 33
    "default\\database\\Bgm.dat",             // 34
    "data\\System.dat",                       // 35
    "default\\System.dat",                    // 36
    "data\\stg4\\c",                          // 37
    "user_data\\story\\",                     // 38
    "user_data\\challenge\\",                 // 39
    "user_data\\free\\",                      // 40
    "user_data\\story\\Story",                // 41
    "user_data\\challenge\\Challenge.dat",    // 42
    "user_data\\Option.dat",                  // 43
    "user_data\\",                            // 44
    "user_data\\KeyConfig.dat",               // 45
    "user_data\\Boot.dat",                    // 46
    "user_data\\Window.dat",                  // 47
};

// The rows the runtime reads.
enum ProjectPathRow : int {
  kPathDataFolder = 0,
  kPathDefaultFolder = 1,
  kPathCommonPalette = 7,
  kPathWorldMap = 13,
  kPathAnimeSetDb = 15,  // the ten database files are the odd rows 15 to 33
  kPathAnimeDb = 17,
  kPathBmpCharaExcDb = 19,
  kPathSwordTypeDb = 21,
  kPathEffectDb = 23,
  kPathCharaEffectDb = 25,
  kPathScrEffectDb = 27,
  kPathPictureDb = 29,
  kPathSoundDb = 31,
  kPathBgmDb = 33,
  kPathSystemData = 35,
  kPathChallengeStagePrefix = 37,
  kPathRankingFolder = 38,  // + play-mode type 0, 1 or 2: rows 38 to 40 stay consecutive
  kPathStorySavePrefix = 41,
  kPathChallengeSave = 42,
  kPathOptions = 43,
  kPathUserFolder = 44,
  kPathKeyConfig = 45,
  kPathBootSettings = 46,
  kPathWindowPlace = 47,
};

// File extensions: 0 the common palette, 1 stage files, 2 palette files, 3 ranking files.
inline constexpr std::array<const char*, 4> ProjectExts = {"cplt4", "stg4", "plt4", "rkg"};

enum ProjectExtRow : int {
  kExtCommonPalette = 0,
  kExtStage = 1,
  kExtPalette = 2,
  kExtRanking = 3,
};
