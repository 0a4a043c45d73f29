#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "data/name_tables.h"
#include "platform/diagnostics.h"
#include "platform/text/face_table.h"
#include "platform/text/text_font.h"
#include "platform/video/palette.h"
#include "support/temp_folder.h"

namespace {

TEST(FaceTable, EveryFaceOfTheListMapsToAnInstalledFamily) {
  std::set<std::string> families;
  for (const char* face : FontNameList) {
    if (face[0] == '\0') continue;
    families.insert(platform::FamilyForFace(face));
  }
  for (const std::string& family : families) {
    std::string file;
    int index = -1;
    EXPECT_TRUE(platform::LocateFamily(family.c_str(), file, index)) << family;
    EXPECT_FALSE(file.empty()) << family;
    EXPECT_GE(index, 0) << family;
  }
  EXPECT_EQ(families.size(), 4u);
}

TEST(FaceTable, GothicsAndMinchosFixedAndProportional) {
  const struct {
    const char* face;
    const char* family;
  } cases[] = {
      {"ＭＳ ゴシック", "IPAGothic"},  {"HGｺﾞｼｯｸE", "IPAGothic"},     {"Courier New", "IPAGothic"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS UI Gothic", "IPAPGothic"}, {"メイリオ", "IPAPGothic"},
      {"HGPｺﾞｼｯｸM", "IPAPGothic"},    {"Arial", "IPAPGothic"},        {"ＭＳ 明朝", "IPAMincho"},
      {"HG明朝E", "IPAMincho"},        {"ＭＳ Ｐ明朝", "IPAPMincho"},   {"HGS明朝B", "IPAPMincho"},
      {"Wingdings", "IPAGothic"},      {"", "IPAGothic"},              {"unknown face", "IPAGothic"},
  };
  for (const auto& c : cases) EXPECT_STREQ(platform::FamilyForFace(c.face), c.family) << c.face;
}

// Text through the installed faces: monochrome glyphs with the cell top at y.
class InstalledText : public testing::Test {
 protected:
  static platform::PixelBuffer Buffer(int w, int h, platform::PixelFormat format) {
    platform::PixelBuffer pixels;
    EXPECT_TRUE(pixels.Allocate(w, h, format));
    return pixels;
  }
};

TEST_F(InstalledText, GothicDrawsOnlyItsColourInsideTheCell) {
  std::unique_ptr<platform::TextFont> font = platform::TextFont::Create("ＭＳ ゴシック", 16, 0);
  ASSERT_TRUE(font->HasFace());
  EXPECT_EQ(font->CellHeight(), 16);
  platform::PixelBuffer pixels = Buffer(64, 48, platform::PixelFormat::Xrgb8888);
  platform::DeviceContext dc{&pixels, nullptr, 0x123456, true};
  font->TextOut(dc, 4, 10, "漢A", 3);
  int ink = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      const std::uint32_t p = pixels.PixelAt(x, y);
      if (p == 0) continue;
      EXPECT_EQ(p, 0x123456u) << "no fringes: " << x << "," << y;
      EXPECT_GE(y, 10);
      EXPECT_LT(y, 26);
      ++ink;
    }
  }
  EXPECT_GT(ink, 30);
}

TEST_F(InstalledText, FixedGothicIsHalfAndFullWidthAndAGivenWidthScalesIt) {
  std::unique_ptr<platform::TextFont> font = platform::TextFont::Create("ＭＳ ゴシック", 16, 0);
  const int half = font->GetTextExtent("A", 1).cx;
  EXPECT_EQ(half, 8);
  EXPECT_EQ(font->GetTextExtent("漢", 2).cx, 2 * half);
  EXPECT_EQ(font->GetTextExtent("iW", 2).cx, 2 * half);
  EXPECT_EQ(font->GetTextExtent("ｱ", 1).cx, half);
  const int narrow = platform::TextFont::Create("ＭＳ ゴシック", 16, 4)->GetTextExtent("AAAA", 4).cx;
  const int wide = platform::TextFont::Create("ＭＳ ゴシック", 16, 12)->GetTextExtent("AAAA", 4).cx;
  EXPECT_LT(narrow, 4 * half);
  EXPECT_GT(wide, 4 * half);
}

TEST_F(InstalledText, ProportionalGothicHasItsOwnAdvances) {
  std::unique_ptr<platform::TextFont> font = platform::TextFont::Create("ＭＳ Ｐゴシック", 20, 0);
  ASSERT_TRUE(font->HasFace());
  EXPECT_LT(font->GetTextExtent("i", 1).cx, font->GetTextExtent("W", 1).cx);
}

TEST_F(InstalledText, AnEightBitTargetTakesTheNearestPaletteEntry) {
  platform::PaletteEntry entries[256] = {};
  entries[7] = {250, 10, 10, 0};
  entries[9] = {200, 200, 200, 0};
  const platform::Palette palette(entries);
  platform::PixelBuffer pixels = Buffer(32, 32, platform::PixelFormat::Indexed8);
  platform::DeviceContext dc{&pixels, &palette, 0xF00000, true};
  platform::TextFont::Create("ＭＳ 明朝", 16, 0)->TextOut(dc, 0, 0, "田", 2);
  std::set<std::uint32_t> values;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) values.insert(pixels.PixelAt(x, y));
  EXPECT_EQ(values, (std::set<std::uint32_t>{0, 7}));
}

TEST(NoJapaneseFace, AnEmptyConfigurationIsReportedOnceAndTextDrawsNothing) {
  testsupport::TempFolder folder;
  const std::string config = folder.Write("fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
  const char* old = std::getenv("FONTCONFIG_FILE");
  const std::string saved = old != nullptr ? old : "";
  setenv("FONTCONFIG_FILE", config.c_str(), 1);
  std::vector<std::string> lines;
  platform::SetDiagnosticSink([&](std::string_view text) { lines.emplace_back(text); });
  std::unique_ptr<platform::TextFont> first = platform::TextFont::Create("HGP明朝E", 16, 0);
  std::unique_ptr<platform::TextFont> second = platform::TextFont::Create("ＭＳ Ｐ明朝", 16, 0);
  platform::SetDiagnosticSink(nullptr);
  if (old != nullptr) {
    setenv("FONTCONFIG_FILE", saved.c_str(), 1);
  } else {
    unsetenv("FONTCONFIG_FILE");
  }
  EXPECT_FALSE(first->HasFace());
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("fonts-ipafont-mincho"), std::string::npos);
  EXPECT_EQ(first->GetTextExtent("AB", 2).cx, 0);
  EXPECT_EQ(first->CellHeight(), 16);
  platform::PixelBuffer pixels;
  ASSERT_TRUE(pixels.Allocate(16, 16, platform::PixelFormat::Xrgb8888));
  platform::DeviceContext dc{&pixels, nullptr, 0xFFFFFF, true};
  first->TextOut(dc, 0, 0, "A", 1);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(pixels.PixelAt(x, y), 0u);
}

}  // namespace
