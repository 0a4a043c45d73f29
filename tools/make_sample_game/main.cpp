#include <cstdio>
#include <cstring>
#include <filesystem>

#include "make_sample_game/contact_sheet.h"
#include "make_sample_game/sample_game.h"

// Makes the sample game: kestrel_make_sample_game GAME_FOLDER [--contact-sheet FILE.png]
int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--contact-sheet") == 0)) {
    std::fprintf(stderr, "usage: %s GAME_FOLDER [--contact-sheet FILE.png]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
  const sample::MakeResult result = sample::MakeSampleGame(folder);
  if (!result.ok) {
    std::fprintf(stderr, "sample game not made: %s\n", result.error.c_str());
    return 1;
  }
  std::printf("sample game: %d files in %s\n", result.files, folder.string().c_str());
  if (argc == 4) {
    const std::filesystem::path sheet = std::filesystem::absolute(argv[3]);
    if (!sample::WriteContactSheet(sheet)) {
      std::fprintf(stderr, "contact sheet not written: %s\n", sheet.string().c_str());
      return 1;
    }
  }
  return 0;
}
