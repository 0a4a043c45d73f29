#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/close_request.h"
#include "core/report_log.h"
#include "gfx/dd_init.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_present.h"
#include "gfx/dd_state.h"
#include "gfx/surface_lock.h"
#include "platform/diagnostics.h"
#include "platform/files/path_resolver.h"
#include "platform/video/frame_mailbox.h"
#include "platform/video/presenter.h"
#include "platform/video/video_settings.h"
#include "support/bmp_fixture.h"
#include "support/kernel_paths.h"
#include "support/temp_folder.h"

namespace gfxtest {

// A screen mode of the drawing library.
struct Mode {
  const char* name;
  int backend;  // 1 Direct3D, 0 DirectDraw
  int bpp;
  int windowed;
};

inline void PrintTo(const Mode& mode, std::ostream* os) { *os << mode.name; }
inline std::string PrintMode(const testing::TestParamInfo<Mode>& info) { return info.param.name; }

// Direct3D at 32 and 16 bits (the latter full screen, where the back buffer is 5-6-5), and
// DirectDraw at 8, 16 and 32 bits.
inline const Mode kModes[] = {
    {"D3D32", 1, 32, 1}, {"D3D16", 1, 16, 0}, {"DD8", 0, 8, 0}, {"DD16", 0, 16, 1}, {"DD32", 0, 32, 1},
};

inline std::string PaletteBitmap();

// A game folder in a temporary folder, both logs written there (the error log switched on),
// message boxes and close requests counted, and the software devices reset.
class LibraryTest : public testing::Test {
 protected:
  void SetUp() override {
    current_.emplace(folder_.path());
    platform::GameFolder().Forget();
    platform::ResetVideoSettings();
    platform::PresentedFrames().Reset();
    ASSERT_TRUE(LogInit("Report_Game.txt"));
    ErrLogInit(true, "EC_Game.txt");
    platform::SetDiagnosticSink([this](std::string_view text) { boxes_.emplace_back(text); });
    SetCloseRequestSink([this] { ++closeRequests_; });
    for (PALETTEENTRY& e : DDPalette) e = PALETTEENTRY{};
    DDTransmitKey = 0;
  }
  void TearDown() override {
    DDUnInit();
    DDInitialised = 0;
    SetCloseRequestSink(nullptr);
    platform::SetDiagnosticSink(nullptr);
    ErrLogInit(false, "EC_Game.txt");
    LogInit("/dev/null");
    current_.reset();
    platform::GameFolder().Forget();
    platform::ResetVideoSettings();
  }

  // Writes a file of the game folder (a UTF-8 relative path with slashes).
  void WriteFile(const std::string& relative, const std::string& bytes) {
    folder_.Write(relative, bytes);
    platform::GameFolder().Forget();
  }

  bool Init(const Mode& mode, DDSURFACEDATA* records = nullptr, const SurfaceDef* defs = nullptr, int count = 0) {
    if (mode.backend == 0 && mode.windowed) platform::CurrentVideoSettings().desktopBitsPerPixel = mode.bpp;
    return DDInit(mode.backend, nullptr, 640, 480, mode.bpp, 0, mode.windowed, 1, 60, 0, records, defs, count);
  }

  // The palette of bmp\plt\Palette.bmp as loaded and as shown, with its transparent colour.
  static bool UsePaletteFile() {
    if (!DDLoadPaletteFromFile(DDPalette, "bmp\\plt\\Palette.bmp")) return false;
    std::copy(std::begin(DDPalette), std::end(DDPalette), std::begin(DDPaletteSaved));
    return DDSetTransmit("bmp\\plt\\Palette.bmp") == 1;
  }

  // The library in a mode, with the game's palette bitmap written, loaded and shown.
  bool InitWithPalette(const Mode& mode) {
    WriteFile("bmp/plt/Palette.bmp", PaletteBitmap());
    return Init(mode) && UsePaletteFile();
  }

  std::string ReportLog() const { return folder_.Read("Report_Game.txt"); }
  std::string ErrorLog() const { return folder_.Read("EC_Game.txt"); }
  static bool Has(const std::string& log, const std::string& line) {
    return log.find(line + "\n") != std::string::npos;
  }

  testsupport::TempFolder folder_;
  std::optional<testsupport::ScopedCurrentFolder> current_;
  std::vector<std::string> boxes_;
  int closeRequests_ = 0;
};

// One pixel of a record as its lock shows it.
// The back buffer shown as the frame step shows it (the flip under Direct3D, the DirectDraw
// copy otherwise) and caught by a capture presenter; false when the flip fails or no frame came.
inline bool PresentBackBuffer(platform::Frame& out) {
  if (lpDTCon != nullptr) {
    if (DDFlip(0, 0, 0) != 1) return false;
  } else {
    DDPresentDirectDraw();
  }
  platform::CapturePresenter capture;
  if (!platform::PresentNewestFrame(capture)) return false;
  out = capture.LastFrame();
  return true;
}

inline DWORD PixelOf(DDSURFACEDATA* record, int x, int y) {
  cSurfaceLock lock(record);
  if (lock.m_lpBits == nullptr) {
    ADD_FAILURE() << "cannot lock";
    return 0xDEADBEEF;
  }
  DWORD value = 0;
  std::memcpy(&value, lock.m_lpBits + (static_cast<std::ptrdiff_t>(y) * lock.m_nPitch + x) * lock.m_nBytes,
              static_cast<std::size_t>(lock.m_nBytes));
  return value;
}

// A whole record's pixels, row by row, each in the record's own pixel size.
// One lock for the whole record: a render target's lock copies it.
inline std::vector<std::uint32_t> ReadPixels(DDSURFACEDATA* record) {
  std::vector<std::uint32_t> out(static_cast<std::size_t>(record->nWidth) * static_cast<std::size_t>(record->nHeight));
  cSurfaceLock lock(record);
  if (lock.m_lpBits == nullptr) {
    ADD_FAILURE() << "cannot lock";
    return out;
  }
  for (int y = 0; y < record->nHeight; ++y) {
    for (int x = 0; x < record->nWidth; ++x) {
      std::uint32_t value = 0;
      std::memcpy(&value, lock.m_lpBits + (static_cast<std::ptrdiff_t>(y) * lock.m_nPitch + x) * lock.m_nBytes,
                  static_cast<std::size_t>(lock.m_nBytes));
      out[static_cast<std::size_t>(y * record->nWidth + x)] = value;
    }
  }
  return out;
}

// Fills a record from row-by-row pixels, keeping each value's low bytes at the record's size.
inline void WritePixels(DDSURFACEDATA* record, const std::vector<std::uint32_t>& pixels) {
  cSurfaceLock lock(record);
  ASSERT_NE(lock.m_lpBits, nullptr);
  for (int y = 0; y < record->nHeight; ++y)
    for (int x = 0; x < record->nWidth; ++x)
      std::memcpy(lock.m_lpBits + (static_cast<std::ptrdiff_t>(y) * lock.m_nPitch + x) * lock.m_nBytes,
                  &pixels[static_cast<std::size_t>(y * record->nWidth + x)], static_cast<std::size_t>(lock.m_nBytes));
}

// The game's palette bitmap: 16 x 24 pixels at 8 bits; colour 0 is magenta and pixel (0, 0)
// has it; rows 8 to 23 hold colour n at (n mod 16, 8 + n / 16).
inline std::uint32_t PaletteColor(int n) {
  if (n == 0) return 0xFF00FF;
  return static_cast<std::uint32_t>(n) << 16 | static_cast<std::uint32_t>(255 - n) << 8 |
         static_cast<std::uint32_t>((n * 7 + 1) & 0xFF);
}
inline std::string PaletteBitmap() {
  testsupport::BmpPicture picture;
  picture.width = 16;
  picture.height = 24;
  picture.bits = 8;
  for (int n = 0; n < 256; ++n) picture.colors.push_back(PaletteColor(n));
  picture.pixels.assign(16 * 24, 0);
  for (int n = 0; n < 256; ++n)
    picture.pixels[static_cast<std::size_t>((8 + n / 16) * 16 + n % 16)] = static_cast<std::uint32_t>(n);
  return testsupport::MakeBmp(picture);
}

// A screen mode on the baseline or the AVX2 kernel path; cases for AVX2 skip on a processor
// without it, and the processor's own choice comes back afterwards.
struct ModePath {
  const char* name;
  Mode mode;
  bool avx2;
  bool x1r5g5b5 = false;  // DirectDraw 16 bits with that layout in place of R5G6B5
};
class ModePathTest : public LibraryTest, public testing::WithParamInterface<ModePath> {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    if (!choice_.Choose(GetParam().avx2)) GTEST_SKIP() << "no AVX2 on this processor";
    ASSERT_TRUE(Init(GetParam().mode));
    if (GetParam().x1r5g5b5) DDPixelFormat = {10, 5, 0, 0, 31, 31, 31, 0};
  }

 private:
  kerneltest::PathChoice choice_;
};
inline std::string ModePathName(const testing::TestParamInfo<ModePath>& info) { return info.param.name; }
inline void PrintTo(const ModePath& path, std::ostream* out) { *out << path.name; }

}  // namespace gfxtest
