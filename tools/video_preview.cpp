// Shows a test frame of the drawing library in a real window and saves a screenshot of it.
//
//   kestrel_video_preview <screenshot.png> [d3d32|d3d16|dd8|dd16|dd32] [milliseconds] [fullscreen]
//
// The frame is drawn in the chosen screen mode through the drawing library (palette bars, a
// palette ramp, a framed box, a keyed sprite 1:1 and doubled, and the same sprite loaded with
// mirrored cells), presented through the
// window presenter for the given time (1500 ms by default), and what the window shows is saved
// as the screenshot; the frame as the devices made it goes beside it as <screenshot>.frame.png.
// With "fullscreen" the screen is set up full screen: the window fills the desktop and the
// 640 x 480 frame is scaled into it, letterboxed when the shapes differ.
// Under a virtual display: xvfb-run -a build/<dir>/tools/kestrel_video_preview shot.png

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/report_log.h"
#include "gfx/dd_fill.h"
#include "gfx/dd_init.h"
#include "gfx/dd_palette.h"
#include "gfx/dd_state.h"
#include "gfx/dd_surface.h"
#include "gfx/render_target.h"
#include "platform/files/path_resolver.h"
#include "platform/video/frame_mailbox.h"
#include "platform/video/png_writer.h"
#include "platform/video/preview_window.h"
#include "platform/video/video_settings.h"

namespace {

namespace fs = std::filesystem;

struct ModeChoice {
  const char* name;
  int backend;
  int bpp;
};
constexpr ModeChoice kModes[] = {{"d3d32", 1, 32}, {"d3d16", 1, 16}, {"dd8", 0, 8}, {"dd16", 0, 16}, {"dd32", 0, 32}};

// ---- Bitmaps of the preview's game folder --------------------------------------------------------

void Put16(std::string& out, unsigned v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A bottom-up bitmap; `pixel(x, y)` gives an index (8 bits) or an XRGB colour (24 bits).
template <class Pixel>
std::string EncodeBmp(int width, int height, int bits, const std::vector<unsigned>& colors, Pixel pixel) {
  const int stride = (width * bits + 31) / 32 * 4;
  const int offset = 54 + static_cast<int>(colors.size()) * 4;
  std::string out = "BM";
  Put32(out, static_cast<unsigned>(offset + stride * height));
  Put32(out, 0);
  Put32(out, static_cast<unsigned>(offset));
  for (unsigned v : {40u, static_cast<unsigned>(width), static_cast<unsigned>(height)}) Put32(out, v);
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  for (unsigned v :
       {0u, static_cast<unsigned>(stride * height), 2835u, 2835u, static_cast<unsigned>(colors.size()), 0u}) {
    Put32(out, v);
  }
  for (unsigned c : colors) Put32(out, c & 0xFFFFFF);
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const unsigned p = pixel(x, y);
      if (bits == 8) {
        row.push_back(static_cast<char>(p));
      } else {
        row.push_back(static_cast<char>(p & 0xFF));
        row.push_back(static_cast<char>((p >> 8) & 0xFF));
        row.push_back(static_cast<char>((p >> 16) & 0xFF));
      }
    }
    row.resize(static_cast<std::size_t>(stride), '\0');
    out += row;
  }
  return out;
}

// 256 colours: magenta first (the transparent colour), then hue bands of growing brightness.
unsigned PaletteColor(int n) {
  if (n == 0) return 0xFF00FF;
  const int band = n / 16, step = n % 16;
  const unsigned level = static_cast<unsigned>(step * 17);
  switch (band % 6) {
    case 0: return level << 16;
    case 1: return level << 8;
    case 2: return level;
    case 3: return level << 16 | level << 8;
    case 4: return level << 8 | level;
    default: return level << 16 | level << 8 | level;
  }
}

void WriteGameFolder(const fs::path& folder) {
  fs::create_directories(folder / "bmp" / "plt");
  std::vector<unsigned> colors;
  for (int n = 0; n < 256; ++n) colors.push_back(PaletteColor(n));
  std::ofstream(folder / "bmp" / "plt" / "Palette.bmp", std::ios::binary) << EncodeBmp(
      16, 24, 8, colors, [](int x, int y) { return y < 8 ? 0u : static_cast<unsigned>((y - 8) * 16 + x); });
  // A 32 x 32 sprite: a ringed disc with an arrow pointing right, on the transparent colour.
  std::ofstream(folder / "bmp" / "Sprite.bmp", std::ios::binary) << EncodeBmp(32, 32, 24, {}, [](int x, int y) {
    const int dx = x - 15, dy = y - 15, d = dx * dx + dy * dy;
    if (d > 15 * 15) return 0xFF00FFu;
    if (d > 12 * 12) return 0xF0F0F0u;
    if (dy >= -2 && dy <= 2 && dx > -9 && dx < 8) return 0xFFD000u;
    if (dx >= 4 && dx <= 10 && std::abs(dy) <= 10 - dx + 4 && std::abs(dy) <= 6) return 0xFFD000u;
    return 0x2040C0u;
  });
}

// ---- The test frame ------------------------------------------------------------------------------

// The whole 32 x 32 sprite stretched to (x, y, w, h), keyed.
void ShowSprite(DDSURFACEDATA& sprite, int x, int y, int w, int h) {
  const int sx = 0, sw = 32;
  if (lpDTCon == nullptr) {
    const platform::PixelRect to{x, y, x + w, y + h};
    const platform::PixelRect from{sx, 0, sx + sw, 32};
    SDBackBuffer.lpDDraw->lpSurface->Blt(&to, sprite.lpDDraw->lpSurface.get(), &from, platform::kBltKeySrc);
    return;
  }
  DTVERTEX quad[4];
  const float tw = static_cast<float>(sprite.nTexWidth), th = static_cast<float>(sprite.nTexHeight);
  DDQuadVertices(quad, x, y, w, h, 0xFFFFFFFF, sx / tw, 0.0f, (sx + sw) / tw, 32 / th);
  if (!DDBeginScene() || !DDSetRenderTarget(0, &SDBackBuffer)) return;
  platform::StageState stage;
  stage.colorArg2 = stage.alphaArg2 = platform::TextureArg::Diffuse;
  lpDevice->SetStageState(stage);
  lpDevice->SetTexture(sprite.lpDT->lpTexture);
  lpDevice->DrawStrip(quad, 2);
  DDSetRenderTarget(0, lpDTCon->lpRestRT);
}

// `mirrored` is the same bitmap loaded with a mirror cell width of 32.
void DrawTestFrame(DDSURFACEDATA& sprite, DDSURFACEDATA& mirrored) {
  DDFillRect(&SDBackBuffer, 0, 0, 640, 480, 5 * 16 + 2);  // dark grey
  for (int i = 0; i < 16; ++i) DDFillRect(&SDBackBuffer, 24 + i * 37, 24, 33, 100, static_cast<DWORD>(i * 16 + 12));
  for (int i = 1; i < 256; ++i) DDFillRect(&SDBackBuffer, 24 + (i - 1) * 592 / 255, 140, 3, 40, static_cast<DWORD>(i));
  // A framed box, its frame four fills sticking out of the screen on the right.
  DDFillRect(&SDBackBuffer, 24, 200, 592, 4, 95);
  DDFillRect(&SDBackBuffer, 24, 452, 700, 4, 95);
  DDFillRect(&SDBackBuffer, 24, 200, 4, 256, 95);
  DDFillRect(&SDBackBuffer, 612, 200, 40, 256, 95);
  DDFillRect(&SDBackBuffer, 28, 204, 584, 248, 32 + 6);
  ShowSprite(sprite, 64, 240, 32, 32);
  ShowSprite(sprite, 128, 240, 64, 64);
  ShowSprite(mirrored, 224, 240, 32, 32);
  ShowSprite(mirrored, 288, 240, 128, 128);
}

void Present() {
  if (lpDTCon != nullptr) {
    DDEndScene();
    lpDevice->Present();
  } else if (!DDWindowed) {
    SDPrimary.lpDDraw->lpSurface->Flip();
  } else {
    SDPrimary.lpDDraw->lpSurface->Blt(&DDClientRect, SDBackBuffer.lpDDraw->lpSurface.get(), nullptr,
                                      platform::kBltWait);
  }
}

int Fail(const char* what) {
  std::fprintf(stderr, "video_preview: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("usage: kestrel_video_preview <screenshot.png> [d3d32|d3d16|dd8|dd16|dd32] [milliseconds]");
  const fs::path shot = fs::absolute(argv[1]);
  const ModeChoice* mode = &kModes[0];
  if (argc >= 3) {
    mode = nullptr;
    for (const ModeChoice& m : kModes)
      if (std::strcmp(argv[2], m.name) == 0) mode = &m;
    if (mode == nullptr) return Fail("unknown mode");
  }
  const int milliseconds = argc >= 4 ? std::atoi(argv[3]) : 1500;
  const int windowed = argc >= 5 && std::strcmp(argv[4], "fullscreen") == 0 ? 0 : 1;

  const fs::path folder = fs::temp_directory_path() / ("kestrel-preview-" + std::to_string(getpid()));
  WriteGameFolder(folder);
  fs::current_path(folder);
  platform::GameFolder().Forget();
  LogInit("Report_Game.txt");

  std::string error;
  std::unique_ptr<platform::PreviewWindow> window = platform::PreviewWindow::Open("Kestrel video preview", &error);
  if (window == nullptr) return Fail(error.c_str());

  if (mode->backend == 0) platform::CurrentVideoSettings().desktopBitsPerPixel = mode->bpp;
  if (!DDInit(mode->backend, nullptr, 640, 480, mode->bpp, 1, windowed, 1, 60, 1, nullptr, nullptr, 0)) {
    return Fail("DDInit");
  }
  if (!DDLoadPaletteFromFile(DDPalette, "bmp\\plt\\Palette.bmp") || !DDSetTransmit("bmp\\plt\\Palette.bmp")) {
    return Fail("palette");
  }
  DDSURFACEDATA sprite, mirrored;
  if (DDCreateSurfaceFromFile(&sprite, "bmp\\Sprite.bmp", 1, DDBpp, 0, 0, 0, 0, 0, 0, 0) != 0 ||
      DDCreateSurfaceFromFile(&mirrored, "bmp\\Sprite.bmp", 1, DDBpp, 0, 0, 0, 0, 32, 0, 0) != 0) {
    return Fail("sprite");
  }

  DrawTestFrame(sprite, mirrored);
  Present();
  platform::Frame frame;
  if (!platform::PresentedFrames().TakeNewest(frame)) return Fail("no frame was presented");
  platform::WritePng(shot.string() + ".frame.png", frame);
  for (int waited = 0; waited < milliseconds && window->PumpEvents(); waited += 16) {
    window->Present(frame);
    std::this_thread::sleep_for(std::chrono::milliseconds(16));
  }
  const bool saved = window->SaveScreenshot(shot.string());

  DDReleaseSurface(&sprite);
  DDReleaseSurface(&mirrored);
  DDUnInit();
  window.reset();
  fs::current_path(fs::temp_directory_path());
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  if (!saved) return Fail("the screenshot cannot be saved");
  std::printf("%s: %s %dx%d frame shown; screenshot %s\n", argv[0], mode->name, frame.width, frame.height,
              shot.string().c_str());
  return 0;
}
