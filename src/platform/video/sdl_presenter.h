#pragma once

#include <memory>
#include <string>

#include "platform/video/display.h"
#include "platform/video/presenter.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

// Shows frames in an SDL window through a streaming texture, scaled to the window with a
// logical size of 640 x 480 (letterboxed when the window's shape differs). It follows the
// devices' display requests: desktop full screen or a window, vsync, the cursor. Made and
// used on the main thread only, which owns the window.
class SdlWindowPresenter : public Presenter {
 public:
  // Draws into the given window, which outlives the presenter. Null (with the reason in
  // `error`, UTF-8) when no renderer can be made for it.
  static std::unique_ptr<SdlWindowPresenter> ForWindow(SDL_Window* window, std::string* error);
  ~SdlWindowPresenter() override;

  bool Present(const Frame& frame) override;
  // Draws the last frame again and saves what the window shows (its whole client area) as a
  // PNG file (host path).
  bool SaveScreenshot(const std::string& hostPath);
  // Draws the last frame again with the overlay as it is now (the overlay changed).
  bool Redraw();

 private:
  SdlWindowPresenter(SDL_Window* window, SDL_Renderer* renderer);
  void ApplyDisplayRequest();
  bool Draw();
  bool DrawOverlay();

  SDL_Window* window_;
  SDL_Renderer* renderer_;
  SDL_Texture* texture_ = nullptr;
  SDL_Texture* overlay_ = nullptr;
  int textureWidth_ = 0;
  int textureHeight_ = 0;
  bool hasFrame_ = false;
  DisplayRequest applied_;
};

}  // namespace platform
