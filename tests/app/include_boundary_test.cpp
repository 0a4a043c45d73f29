#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Only the platform layer may see the third-party platform libraries; everything else talks
// to the layer's own headers.
TEST(IncludeBoundary, NoFileOutsideThePlatformLayerIncludesAPlatformLibrary) {
  const fs::path source = fs::path(KESTREL_SOURCE_DIR);
  const std::regex platformHeader(
      R"(^\s*#\s*include\s*[<"](SDL[^>"]*|ft2build\.h|freetype/[^>"]*|fluidsynth[^>"]*|vorbis/[^>"]*|ogg/[^>"]*)[>"])");
  std::vector<std::string> offenders;
  std::size_t checked = 0;
  for (const char* top : {"src", "tests", "bench", "fuzz", "tools"}) {
    if (!fs::exists(source / top)) continue;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source / top)) {
      if (!entry.is_regular_file()) continue;
      const std::string ext = entry.path().extension().string();
      if (ext != ".cpp" && ext != ".h" && ext != ".hpp" && ext != ".cc") continue;
      const fs::path relative = fs::relative(entry.path(), source);
      if (relative.string().rfind("src/platform/", 0) == 0) continue;
      ++checked;
      std::ifstream in(entry.path());
      int number = 0;
      for (std::string line; std::getline(in, line);) {
        ++number;
        if (std::regex_search(line, platformHeader)) offenders.push_back(relative.string() + ":" + std::to_string(number));
      }
    }
  }
  EXPECT_GT(checked, 0u);
  EXPECT_TRUE(offenders.empty()) << "platform headers outside src/platform: " << testing::PrintToString(offenders);
}

}  // namespace
