#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/record_version.h"
#include "make_sample_game/contact_sheet.h"
#include "make_sample_game/sample_game.h"
#include "make_sample_game/sample_stages.h"

namespace {

int Usage(const char* program) {
  std::fprintf(stderr, "usage: %s GAME_FOLDER [--contact-sheet FILE.png] [--stage-previews FOLDER]\n", program);
  return 2;
}

}  // namespace

// Makes the sample game in GAME_FOLDER; on request also a contact sheet of every bitmap and a
// picture of every stage, for looking the art and the levels over.
int main(int argc, char** argv) {
  if (argc < 2 || argc % 2 != 0) return Usage(argv[0]);
  std::filesystem::path contactSheet;
  std::filesystem::path previews;
  for (int i = 2; i < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--contact-sheet") {
      contactSheet = std::filesystem::absolute(argv[i + 1]);
    } else if (option == "--stage-previews") {
      previews = std::filesystem::absolute(argv[i + 1]);
    } else {
      return Usage(argv[0]);
    }
  }
  const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
  const sample::MakeResult result = sample::MakeSampleGame(folder);
  if (!result.ok) {
    std::fprintf(stderr, "sample game not made: %s\n", result.error.c_str());
    return 1;
  }
  std::printf("sample game: %d files in %s\n", result.files, folder.string().c_str());
  if (!contactSheet.empty() && !sample::WriteContactSheet(contactSheet)) {
    std::fprintf(stderr, "contact sheet not written: %s\n", contactSheet.string().c_str());
    return 1;
  }
  if (!previews.empty()) {
    CurrentVersion = kRecordVersion;
    std::filesystem::create_directories(previews);
    if (!sample::WriteStagePreviews(previews)) {
      std::fprintf(stderr, "stage previews not written: %s\n", previews.string().c_str());
      return 1;
    }
  }
  return 0;
}
