#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <mutex>
#include <set>
#include <string>

#include "platform/diagnostics.h"
#include "platform/text/cp932_glyph_codes.h"
#include "platform/text/face_table.h"
#include "platform/text/glyph_source.h"

namespace platform {
namespace {

// One FreeType library for the process; faces are made and used under its lock, since fonts
// are drawn on the game thread and restored on the main thread while the game thread waits.
struct FreeTypeLibrary {
  std::mutex mutex;
  FT_Library library = nullptr;
  bool tried = false;
  std::set<std::string> reported;
};

FreeTypeLibrary& Library() {
  static FreeTypeLibrary* library = new FreeTypeLibrary();  // lives until the process ends
  return *library;
}

const char* PackageOf(const char* family) {
  const std::string name = family;
  return name.find("Mincho") != std::string::npos ? "fonts-ipafont-mincho" : "fonts-ipafont-gothic";
}

class FreeTypeGlyphSource : public GlyphSource {
 public:
  FreeTypeGlyphSource(FT_Face face, int height, int width) : face_(face) {
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_CELL;  // ascent + descent, the cell height GDI asks for
    request.height = static_cast<FT_Long>(height) * 64;
    FT_Request_Size(face_, &request);
    const FT_Size_Metrics& m = face_->size->metrics;
    // The cell is split as the face's design splits it; the scaled metrics are rounded outward
    // and would push the baseline a pixel down.
    const long designHeight = static_cast<long>(face_->ascender) - face_->descender;
    metrics_.ascent = designHeight > 0 ? static_cast<int>((2L * height * face_->ascender + designHeight) / (2 * designHeight))
                                       : height;
    metrics_.descent = height - metrics_.ascent;
    height_ = height;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    const long average = os2 != nullptr && os2->xAvgCharWidth > 0
                             ? FT_MulFix(os2->xAvgCharWidth, m.x_scale)
                             : static_cast<long>(m.x_ppem) * 32;  // half an em
    metrics_.averageWidth = static_cast<int>((average + 32) >> 6);
    if (width > 0 && average > 0) {
      // A given width scales the face horizontally so that its average character has it.
      FT_Matrix matrix{static_cast<FT_Fixed>((static_cast<long long>(width) * 64 << 16) / average), 0, 0, 0x10000};
      FT_Set_Transform(face_, &matrix, nullptr);
      metrics_.averageWidth = width;
    }
  }
  ~FreeTypeGlyphSource() override {
    std::lock_guard<std::mutex> guard(Library().mutex);
    FT_Done_Face(face_);
  }

  GlyphMetrics Metrics() const override { return metrics_; }

  bool Render(std::uint16_t code, GlyphBitmap& out) override {
    out = GlyphBitmap{};
    out.advance = code > 0xFF ? metrics_.averageWidth * 2 : metrics_.averageWidth;
    const std::uint32_t codePoint = Cp932ToCodePoint(code);
    if (codePoint == 0) return false;
    std::lock_guard<std::mutex> guard(Library().mutex);
    const FT_UInt index = FT_Get_Char_Index(face_, codePoint);
    if (index == 0) return false;
    if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) return false;
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    // Ink is kept inside the cell: a hinted stroke a pixel above or below it would land in the
    // neighbouring cell of a glyph sheet.
    const int top = metrics_.ascent - slot->bitmap_top;
    const int first = std::max(0, -top);
    const int last = std::min(static_cast<int>(bitmap.rows), height_ - top);
    out.width = static_cast<int>(bitmap.width);
    out.height = std::max(0, last - first);
    out.left = slot->bitmap_left;
    out.top = top + first;
    out.bits.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 0);
    for (int y = 0; y < out.height; ++y) {
      const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y + first) * bitmap.pitch;
      for (int x = 0; x < out.width; ++x) {
        const bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x >> 3] >> (7 - (x & 7))) & 1) != 0
                                                                 : row[x] >= 128;
        out.bits[static_cast<std::size_t>(y * out.width + x)] = ink ? 1 : 0;
      }
    }
    return true;
  }

 private:
  FT_Face face_;
  GlyphMetrics metrics_;
  int height_ = 0;
};

std::unique_ptr<GlyphSource> MakeFreeTypeSource(std::string_view cp932Face, int height, int width) {
  if (height <= 0 || height > 4096 || width < 0 || width > 4096) return nullptr;
  const char* family = FamilyForFace(cp932Face);
  FreeTypeLibrary& lib = Library();
  std::string file;
  int faceIndex = 0;
  {
    std::lock_guard<std::mutex> guard(lib.mutex);
    if (!lib.tried) {
      lib.tried = true;
      if (FT_Init_FreeType(&lib.library) != 0) lib.library = nullptr;
    }
    if (lib.library == nullptr) return nullptr;
  }
  if (!LocateFamily(family, file, faceIndex)) {
    std::lock_guard<std::mutex> guard(lib.mutex);
    if (lib.reported.insert(family).second) {
      ReportDiagnostic(std::string("日本語フォント ") + family + " が見つかりません。パッケージ " + PackageOf(family) +
                       " を入れてください（文字は表示されません）");
    }
    return nullptr;
  }
  std::lock_guard<std::mutex> guard(lib.mutex);
  FT_Face face = nullptr;
  if (FT_New_Face(lib.library, file.c_str(), faceIndex, &face) != 0) return nullptr;
  return std::make_unique<FreeTypeGlyphSource>(face, height, width);
}

std::mutex g_makerMutex;
GlyphSourceMaker g_maker;

}  // namespace

std::unique_ptr<GlyphSource> MakeGlyphSource(std::string_view cp932Face, int height, int width) {
  GlyphSourceMaker maker;
  {
    std::lock_guard<std::mutex> guard(g_makerMutex);
    maker = g_maker;
  }
  if (maker) return maker(cp932Face, height, width);
  return MakeFreeTypeSource(cp932Face, height, width);
}

void SetGlyphSourceMaker(GlyphSourceMaker maker) {
  std::lock_guard<std::mutex> guard(g_makerMutex);
  g_maker = std::move(maker);
}

std::uint16_t Cp932CodeAt(const char* text, int count, int& length) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  if (isLead && count >= 2 && text[1] != '\0') {
    length = 2;
    return static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(text[1]));
  }
  length = 1;
  return lead;
}

}  // namespace platform
