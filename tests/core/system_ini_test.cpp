#include "core/system_ini.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "core/close_request.h"
#include "platform/files/path_resolver.h"
#include "support/temp_folder.h"

void PrintTo(const cSystemIni& s, std::ostream* os) {
  *os << "{Direct3D " << s.Direct3D << ", WindowMode " << s.WindowMode << ", Bpp " << s.Bpp << ", VSync " << s.VSync
      << ", D3D_FontCache " << s.D3D_FontCache << ", DD_FontCache " << s.DD_FontCache << ", DD_VideoStretch "
      << s.DD_VideoStretch << ", ShowFps " << s.ShowFps << ", English " << s.English << ", FreeStage \""
      << s.FreeStage << "\" (" << s.FreeStage.size() << " bytes)}";
}

namespace {

using testsupport::TempFolder;

// The rows of a new project, except that the stage row has a default, so that a stage value
// that is ignored shows.
SystemIniKeys ProjectRows() {
  SystemIniKeys rows(10);
  const struct {
    const char* key;
    int value;
  } numbers[] = {{"Direct3D", 2},     {"WindowMode", 0},      {"Bpp", 0},     {"VSync", 2},
                 {"D3D_FontCache", 0}, {"DD_FontCache", 1}, {"DD_VideoStretch", 0}, {"ShowFps", 1}};
  for (int row = 0; row < 8; ++row) rows[row] = {numbers[row].key, numbers[row].value, ""};
  rows[8] = {"FreeStage", 0, "first.stg4"};
  rows[9] = {"English", 0, ""};
  return rows;
}

cSystemIni ProjectDefaults() {
  cSystemIni s;
  s.Direct3D = 2;
  s.VSync = 2;
  s.DD_FontCache = 1;
  s.ShowFps = 1;
  s.FreeStage = "first.stg4";
  return s;
}

std::string Repeat(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text.append(piece);
  return text;
}

class SystemIniTest : public testing::Test {
 protected:
  void SetUp() override {
    current_.emplace(folder_.path());
    platform::GameFolder().Forget();
    SetCloseRequestSink([this] { ++closeRequests_; });
  }
  void TearDown() override {
    SetCloseRequestSink(nullptr);
    current_.reset();
    platform::GameFolder().Forget();
  }

  TempFolder folder_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
  int closeRequests_ = 0;
};

TEST_F(SystemIniTest, ReadsTheFileByItsByteRules) {
  using Edit = void (*)(cSystemIni&);
  const Edit none = [](cSystemIni&) {};
  const std::string name259 = Repeat("n", 254) + ".stg4";
  const struct Case {
    const char* what;
    std::optional<std::string> file;  // nothing: no file at all
    int result;
    Edit expect;  // the changes from the defaults
  } cases[] = {
      {"every key", "Direct3D=1\nWindowMode=1\nBpp=16\nVSync=0\nD3D_FontCache=1\nDD_FontCache=0\n"
                    "DD_VideoStretch=1\nShowFps=2\nFreeStage=data\\stg4\\a.stg4\nEnglish=1\nExit\n",
       1,
       [](cSystemIni& s) {
         s = {.Direct3D = 1, .WindowMode = 1, .Bpp = 16, .VSync = 0, .D3D_FontCache = 1, .DD_FontCache = 0,
              .DD_VideoStretch = 1, .ShowFps = 2, .English = 1, .FreeStage = "data\\stg4\\a.stg4"};
       }},
      {"a space after = ends the value at once", "Direct3D = 1\nExit\n", 1, [](cSystemIni& s) { s.Direct3D = 0; }},
      {"CR, space and TAB leave the key wherever they stand", " \tWind ow\rMode=1\nExit\n", 1,
       [](cSystemIni& s) { s.WindowMode = 1; }},
      {"a comment after a space", "Bpp=16 // VSync=0\nExit\n", 1, [](cSystemIni& s) { s.Bpp = 16; }},
      {"a slash ends the value and starts a line", "Bpp=16/VSync=0\nExit\n", 1,
       [](cSystemIni& s) { s.Bpp = 16; s.VSync = 0; }},
      {"CR LF lines: the stage has no CR", "Bpp=16\r\nFreeStage=b.stg4\r\nExit\r\n", 1,
       [](cSystemIni& s) { s.Bpp = 16; s.FreeStage = "b.stg4"; }},
      {"atoi: digits up to the first other byte", "Bpp=16bit\nVSync=-1\nShowFps=+3\nDirect3D=x\nExit\n", 1,
       [](cSystemIni& s) { s.Bpp = 16; s.VSync = -1; s.ShowFps = 3; s.Direct3D = 0; }},
      {"atoi: out of range saturates", "Bpp=99999999999\nVSync=-99999999999\nExit\n", 1,
       [](cSystemIni& s) { s.Bpp = INT_MAX; s.VSync = INT_MIN; }},
      {"a later line sets the same key again", "Bpp=8\nBpp=32\nExit\n", 1, [](cSystemIni& s) { s.Bpp = 32; }},
      {"unknown and wrongly cased keys", "Foo=1\nbpp=16\nDIRECT3D=0\n=7\nExit\n", 1, none},
      {"an Exit line ends the read", " Exit \r\nBpp=16\n", 1, none},
      {"Exit= is a key, not the end", "Exit=1\n", 0, none},
      {"exit is not Exit", "Bpp=16\nexit\n", 0, [](cSystemIni& s) { s.Bpp = 16; }},
      {"no Exit line", "Bpp=16\n", 0, [](cSystemIni& s) { s.Bpp = 16; }},
      {"Exit without its LF", "Bpp=16\nExit", 0, [](cSystemIni& s) { s.Bpp = 16; }},
      {"the file ends inside a value", "Bpp=16", 0, [](cSystemIni& s) { s.Bpp = 16; }},
      {"an empty file", "", 0, none},
      {"a NUL where a key starts ends the read", std::string("Bpp=16\n\0Bpp=8\n", 14), 1,
       [](cSystemIni& s) { s.Bpp = 16; }},
      {"a NUL inside a key ends the read", std::string("Bp\0p=8\n", 7), 1, none},
      {"a NUL ends a value and the line goes on", std::string("Bpp=16\0VSync=0\nExit\n", 20), 1,
       [](cSystemIni& s) { s.Bpp = 16; s.VSync = 0; }},
      {"a one-character stage is ignored", "FreeStage=a\nExit\n", 1, none},
      {"so is one character and a CR", "FreeStage=a\r\nExit\r\n", 1, none},
      {"two characters name a stage", "FreeStage=ab\nExit\n", 1, [](cSystemIni& s) { s.FreeStage = "ab"; }},
      {"a stage of 259 bytes", "FreeStage=" + name259 + "\nExit\n", 1,
       [](cSystemIni& s) { s.FreeStage = Repeat("n", 254) + ".stg4"; }},
      {"a stage of 260 bytes is ignored", "FreeStage=n" + name259 + "\nExit\n", 1, none},
      {"the 10,000th line is read, the next is not", Repeat("x\n", 9999) + "Bpp=16\nVSync=0\n", 1,
       [](cSystemIni& s) { s.Bpp = 16; }},
      {"10,000 lines end the read without Exit", Repeat("Bpp=1\n", 10000), 1, [](cSystemIni& s) { s.Bpp = 1; }},
      {"9,999 lines do not", Repeat("Bpp=1\n", 9999), 0, [](cSystemIni& s) { s.Bpp = 1; }},
      {"a value of 2047 bytes is whole", "Bpp=" + Repeat("0", 2045) + "16\nExit\n", 1,
       [](cSystemIni& s) { s.Bpp = 16; }},
      {"a longer value is not cut but ignored", "Bpp=" + Repeat("0", 2046) + "16\nVSync=0\nExit\n", 1,
       [](cSystemIni& s) { s.VSync = 0; }},
      {"the tail of a long key is no key of its own", Repeat("x", 2047) + "Bpp=16\nVSync=0\nExit\n", 1,
       [](cSystemIni& s) { s.VSync = 0; }},
      {"no file", std::nullopt, 0, none},
      {"a file over 1 MiB", "Exit\n" + std::string(kMaxSystemIniBytes, 'x'), 0, none},
  };
  const SystemIniKeys rows = ProjectRows();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(folder_.path() / "System.ini");
    if (c.file) folder_.Write("System.ini", *c.file);
    platform::GameFolder().Forget();
    cSystemIni settings;
    SetSystemIniDefaults(settings, rows);
    EXPECT_EQ(LoadSystemIni("system.INI", settings, rows), c.result);
    cSystemIni expected = ProjectDefaults();
    c.expect(expected);
    EXPECT_EQ(settings, expected);
  }
  EXPECT_EQ(closeRequests_, 0);
}

TEST_F(SystemIniTest, RowsDecideByPosition) {
  SystemIniKeys rows = ProjectRows();
  rows[2] = {"Depth", 0, ""};               // renamed: Bpp is now set by "Depth"
  rows[5] = {"WindowMode", 1, ""};          // a second row of that name: the first decides
  rows[9] = {"Language", 0, ""};            // row 9 is English whatever it is called
  rows.push_back({"Extra", 0, ""});         // rows past 9 set nothing
  rows.push_back({Repeat("K", 2047), 0, ""});
  const std::string text = "Depth=16\nBpp=8\nWindowMode=1\nLanguage=1\nEnglish=0\nExtra=5\n" + Repeat("K", 2048) +
                           "=1\n" + Repeat("K", 2047) + "=1\nExit\n";
  cSystemIni settings;
  SetSystemIniDefaults(settings, rows);
  ASSERT_EQ(ParseSystemIni(text, settings, rows), 1);
  cSystemIni expected = ProjectDefaults();
  expected.Bpp = 16;
  expected.WindowMode = 1;
  expected.English = 1;
  EXPECT_EQ(settings, expected);
  EXPECT_EQ(closeRequests_, 0);
}

TEST_F(SystemIniTest, DefaultsComeFromTheRows) {
  SystemIniKeys rows = ProjectRows();
  for (int row = 0; row < 8; ++row) rows[row].nValue = 100 + row;
  rows[8].nValue = 55;
  rows[9].nValue = 1;  // English is 0 by default whatever its row says
  cSystemIni settings;
  settings.English = 1;
  SetSystemIniDefaults(settings, rows);
  cSystemIni expected = {.Direct3D = 100, .WindowMode = 101, .Bpp = 102, .VSync = 103, .D3D_FontCache = 104,
                         .DD_FontCache = 105, .DD_VideoStretch = 106, .ShowFps = 107, .English = 0,
                         .FreeStage = "first.stg4"};
  EXPECT_EQ(settings, expected);

  // A default too long for a stage path names no stage rather than a cut one.
  rows[8].strValue = Repeat("s", 260);
  SetSystemIniDefaults(settings, rows);
  EXPECT_EQ(settings.FreeStage, "");
  rows[8].strValue = Repeat("s", 259);
  SetSystemIniDefaults(settings, rows);
  EXPECT_EQ(settings.FreeStage, rows[8].strValue);
  EXPECT_EQ(closeRequests_, 0);

  // A project with too few rows is reported through the checked access, never read past.
  rows.resize(3);
  SetSystemIniDefaults(settings, rows);
  EXPECT_GT(closeRequests_, 0);
}

}  // namespace
