#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

bool IsSourceFile(const fs::path& path) {
  const std::string ext = path.extension().string();
  return ext == ".cpp" || ext == ".h" || ext == ".hpp" || ext == ".cc";
}

// Calls visit(relative path, line number, line) for every line of every source file below
// the given top folders of root.
template <typename Visit>
std::size_t ForEachSourceLine(const fs::path& root, std::initializer_list<const char*> tops, Visit visit) {
  std::size_t files = 0;
  for (const char* top : tops) {
    if (!fs::exists(root / top)) continue;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / top)) {
      if (!entry.is_regular_file() || !IsSourceFile(entry.path())) continue;
      ++files;
      const std::string relative = fs::relative(entry.path(), root).generic_string();
      std::ifstream in(entry.path());
      int number = 0;
      for (std::string line; std::getline(in, line);) visit(relative, ++number, line);
    }
  }
  return files;
}

// Only the platform layer may see the third-party platform libraries; everything else talks
// to the layer's own headers.
TEST(IncludeBoundary, NoFileOutsideThePlatformLayerIncludesAPlatformLibrary) {
  const std::regex platformHeader(
      R"(^\s*#\s*include\s*[<"](SDL[^>"]*|ft2build\.h|freetype/[^>"]*|fontconfig/[^>"]*|fluidsynth[^>"]*|vorbis/[^>"]*|ogg/[^>"]*)[>"])");
  std::vector<std::string> offenders;
  const std::size_t checked = ForEachSourceLine(
      KESTREL_SOURCE_DIR, {"src", "tests", "bench", "fuzz", "tools"},
      [&](const std::string& file, int number, const std::string& line) {
        if (file.rfind("src/platform/", 0) == 0) return;
        if (std::regex_search(line, platformHeader)) offenders.push_back(file + ":" + std::to_string(number));
      });
  EXPECT_GT(checked, 0u);
  EXPECT_TRUE(offenders.empty()) << "platform headers outside src/platform: " << testing::PrintToString(offenders);
}

// The layers of src/, bottom to top: each folder names the folders it may include. World and
// flow sit side by side and reach each other only through the other's seam headers
// (files named *_seam.h); only app sees everything.
struct LayerRow {
  std::set<std::string> includes;
  std::string seamsOf;  // the folder whose seam headers it may include as well
};

const std::map<std::string, LayerRow>& LayerTable() {
  static const std::map<std::string, LayerRow> table = {
      {"platform", {{"platform"}, ""}},
      {"core", {{"platform", "core"}, ""}},
      {"data", {{"platform", "core", "data"}, ""}},
      {"gfx", {{"platform", "core", "data", "gfx"}, ""}},
      {"input", {{"platform", "core", "data", "gfx", "input"}, ""}},
      {"sound", {{"platform", "core", "data", "gfx", "sound"}, ""}},
      {"world", {{"platform", "core", "data", "gfx", "input", "sound", "world"}, "flow"}},
      {"flow", {{"platform", "core", "data", "gfx", "input", "sound", "flow"}, "world"}},
      {"menus", {{"platform", "core", "data", "gfx", "input", "sound", "world", "flow", "menus"}, ""}},
      {"app", {{"platform", "core", "data", "gfx", "input", "sound", "world", "flow", "menus", "app"}, ""}},
  };
  return table;
}

// Every include of a src/ folder that the table does not allow, as "file:line: includes
// header, but row folder may include ...". Files outside src/ may include anything but app
// (benchmarks of the whole program excepted).
std::vector<std::string> LayerViolations(const fs::path& root) {
  const std::regex projectInclude(R"re(^\s*#\s*include\s*"([a-z]+)/([^"]+)")re");
  const std::map<std::string, LayerRow>& table = LayerTable();
  std::vector<std::string> violations;
  ForEachSourceLine(root, {"src", "bench", "fuzz", "tools"}, [&](const std::string& file, int number,
                                                                  const std::string& line) {
    std::smatch match;
    if (!std::regex_search(line, match, projectInclude)) return;
    const std::string target = match[1];
    if (table.count(target) == 0) return;  // not a layer of src/
    const std::string where = file + ":" + std::to_string(number) + ": includes " + target + "/" + match[2].str();
    if (file.rfind("src/", 0) != 0) {
      // A benchmark of the whole program starts it as the tests do, through the joining layer.
      if (target == "app" && file.rfind("bench/", 0) != 0) {
        violations.push_back(where + ", but nothing outside src/app includes app");
      }
      return;
    }
    const std::string folder = file.substr(4, file.find('/', 4) - 4);
    const auto row = table.find(folder);
    if (row == table.end()) {
      violations.push_back(where + ", but src/" + folder + " has no row in the layer table");
      return;
    }
    if (row->second.includes.count(target) != 0) return;
    if (target == row->second.seamsOf && match[2].str().ends_with("_seam.h")) return;
    std::string allowed;
    for (const std::string& name : row->second.includes) allowed += (allowed.empty() ? "" : " ") + name;
    if (!row->second.seamsOf.empty()) allowed += " (and " + row->second.seamsOf + "'s seam headers)";
    violations.push_back(where + ", but row " + folder + " may include only: " + allowed);
  });
  return violations;
}

TEST(IncludeBoundary, EveryFolderOfSrcIncludesOnlyItsOwnLayerAndThoseBelow) {
  const std::vector<std::string> violations = LayerViolations(KESTREL_SOURCE_DIR);
  EXPECT_TRUE(violations.empty()) << testing::PrintToString(violations);
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(KESTREL_SOURCE_DIR) / "src")) {
    if (entry.is_directory()) {
      EXPECT_EQ(LayerTable().count(entry.path().filename().string()), 1u) << entry.path();
    }
  }
}

TEST(IncludeBoundary, APlantedIncludeIsCaughtWithItsFileAndRow) {
  struct Case {
    std::string file;
    std::string include;
    std::string expected;  // empty: allowed
  };
  const Case cases[] = {
      {"src/core/a.cpp", "data/database.h", "src/core/a.cpp:2: includes data/database.h, but row core may include only: core platform"},
      {"src/gfx/a.h", "app/init_game.h", "src/gfx/a.h:2: includes app/init_game.h, but row gfx may include only:"},
      {"src/sound/a.cpp", "input/input.h", "row sound may include only:"},
      {"src/world/a.cpp", "flow/flow_engine.h", "row world may include only:"},
      {"tools/a.cpp", "app/init_game.h", "tools/a.cpp:2: includes app/init_game.h, but nothing outside src/app"},
      {"src/world/a.cpp", "flow/flow_seam.h", ""},
      {"src/flow/a.cpp", "world/world_seam.h", ""},
      {"src/menus/a.cpp", "world/play_scene.h", ""},
      {"src/app/a.cpp", "menus/title.h", ""},
      {"src/data/a.cpp", "core/record_base.h", ""},
      {"tools/a.cpp", "data/database.h", ""},
  };
  for (const Case& c : cases) {
    testsupport::TempFolder root;
    root.Write(c.file, "#pragma once\n#include \"" + c.include + "\"\n");
    const std::vector<std::string> violations = LayerViolations(root.path());
    if (c.expected.empty()) {
      EXPECT_TRUE(violations.empty()) << c.file << " " << c.include << ": " << testing::PrintToString(violations);
    } else {
      ASSERT_EQ(violations.size(), 1u) << c.file << " " << c.include;
      EXPECT_NE(violations[0].find(c.expected), std::string::npos) << violations[0];
    }
  }
}

}  // namespace
