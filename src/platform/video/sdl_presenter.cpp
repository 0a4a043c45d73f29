#include "platform/video/sdl_presenter.h"

#include <SDL.h>

#include "platform/video/frame_mailbox.h"
#include "platform/video/frame_overlay.h"
#include "platform/video/png_writer.h"

namespace platform {
namespace {

constexpr int kLogicalWidth = 640;
constexpr int kLogicalHeight = 480;

}  // namespace

std::unique_ptr<SdlWindowPresenter> SdlWindowPresenter::ForWindow(SDL_Window* window, std::string* error) {
  if (window == nullptr) {
    if (error != nullptr) *error = "no window";
    return nullptr;
  }
  const bool vsync = CurrentDisplayRequest().vsync;
  const Uint32 flags = vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, flags | SDL_RENDERER_ACCELERATED);
  if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, flags | SDL_RENDERER_SOFTWARE);
  if (renderer == nullptr) {
    if (error != nullptr) *error = SDL_GetError();
    return nullptr;
  }
  SDL_RenderSetLogicalSize(renderer, kLogicalWidth, kLogicalHeight);
  std::unique_ptr<SdlWindowPresenter> presenter(new SdlWindowPresenter(window, renderer));
  presenter->applied_.vsync = vsync;
  return presenter;
}

SdlWindowPresenter::SdlWindowPresenter(SDL_Window* window, SDL_Renderer* renderer)
    : window_(window), renderer_(renderer) {}

SdlWindowPresenter::~SdlWindowPresenter() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (overlay_ != nullptr) SDL_DestroyTexture(overlay_);
  SDL_DestroyRenderer(renderer_);
}

void SdlWindowPresenter::ApplyDisplayRequest() {
  const DisplayRequest wanted = CurrentDisplayRequest();
  if (wanted.fullScreen != applied_.fullScreen) {
    SDL_SetWindowFullscreen(window_, wanted.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  }
  if (wanted.vsync != applied_.vsync) SDL_RenderSetVSync(renderer_, wanted.vsync ? 1 : 0);
  if (wanted.cursorVisible != applied_.cursorVisible) SDL_ShowCursor(wanted.cursorVisible ? SDL_ENABLE : SDL_DISABLE);
  applied_ = wanted;
}

bool SdlWindowPresenter::Present(const Frame& frame) {
  if (frame.width <= 0 || frame.height <= 0) return false;
  ApplyDisplayRequest();
  if (texture_ == nullptr || textureWidth_ != frame.width || textureHeight_ != frame.height) {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, frame.width, frame.height);
    if (texture_ == nullptr) return false;
    textureWidth_ = frame.width;
    textureHeight_ = frame.height;
  }
  if (SDL_UpdateTexture(texture_, nullptr, frame.pixels.data(), frame.width * 4) != 0) return false;
  hasFrame_ = true;
  if (!Draw()) return false;
  SDL_RenderPresent(renderer_);
  // Only a renderer that really waits for the blank paces the game; any other leaves the
  // pacing to the frame limiter.
  SDL_RendererInfo info{};
  const bool paced = applied_.vsync && SDL_GetRendererInfo(renderer_, &info) == 0 &&
                     (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  PresentedFrames().SetDisplayPaced(paced);
  if (paced) PresentedFrames().MarkShown(frame.serial);
  return true;
}

bool SdlWindowPresenter::Draw() {
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  if (SDL_RenderClear(renderer_) != 0) return false;
  if (hasFrame_ && SDL_RenderCopy(renderer_, texture_, nullptr, nullptr) != 0) return false;
  return DrawOverlay();
}

// The dialogs' picture over the frame, scaled with it.
bool SdlWindowPresenter::DrawOverlay() {
  thread_local std::vector<std::uint32_t> pixels;
  if (!CopyFrameOverlay(pixels)) return true;
  if (overlay_ == nullptr) {
    overlay_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, kOverlayWidth,
                                 kOverlayHeight);
    if (overlay_ == nullptr) return false;
    SDL_SetTextureBlendMode(overlay_, SDL_BLENDMODE_BLEND);
  }
  if (SDL_UpdateTexture(overlay_, nullptr, pixels.data(), kOverlayWidth * 4) != 0) return false;
  return SDL_RenderCopy(renderer_, overlay_, nullptr, nullptr) == 0;
}

bool SdlWindowPresenter::Redraw() {
  ApplyDisplayRequest();
  if (!Draw()) return false;
  SDL_RenderPresent(renderer_);
  return true;
}

bool SdlWindowPresenter::SaveScreenshot(const std::string& hostPath) {
  std::vector<std::uint32_t> overlay;
  if ((!hasFrame_ && !CopyFrameOverlay(overlay)) || !Draw()) return false;
  // Read the whole output, letterbox included: the viewport of the logical size must not cut it.
  SDL_RenderSetViewport(renderer_, nullptr);
  int width = 0, height = 0;
  if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0 || width <= 0 || height <= 0) return false;
  Frame shot;
  shot.width = width;
  shot.height = height;
  shot.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  SDL_RenderSetLogicalSize(renderer_, 0, 0);
  const int read = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, shot.pixels.data(), width * 4);
  SDL_RenderSetLogicalSize(renderer_, kLogicalWidth, kLogicalHeight);
  SDL_RenderPresent(renderer_);
  return read == 0 && WritePng(hostPath, shot);
}

}  // namespace platform
