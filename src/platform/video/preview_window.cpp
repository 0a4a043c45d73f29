#include "platform/video/preview_window.h"

#include <SDL.h>

#include "platform/video/sdl_presenter.h"

namespace platform {

struct PreviewWindow::Impl {
  SDL_Window* window = nullptr;
  std::unique_ptr<SdlWindowPresenter> presenter;
  bool closed = false;

  ~Impl() {
    presenter.reset();
    if (window != nullptr) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
};

std::unique_ptr<PreviewWindow> PreviewWindow::Open(std::string_view utf8Title, std::string* error) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    if (error != nullptr) *error = SDL_GetError();
    return nullptr;
  }
  auto impl = std::make_unique<Impl>();
  const std::string title(utf8Title);
  impl->window = SDL_CreateWindow(title.c_str(), 100, 100, 640, 480, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
  if (impl->window == nullptr) {
    if (error != nullptr) *error = SDL_GetError();
    return nullptr;
  }
  impl->presenter = SdlWindowPresenter::ForWindow(impl->window, error);
  if (impl->presenter == nullptr) return nullptr;
  return std::unique_ptr<PreviewWindow>(new PreviewWindow(std::move(impl)));
}

PreviewWindow::PreviewWindow(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
PreviewWindow::~PreviewWindow() = default;

bool PreviewWindow::Present(const Frame& frame) { return impl_->presenter->Present(frame); }

bool PreviewWindow::SaveScreenshot(const std::string& hostPath) { return impl_->presenter->SaveScreenshot(hostPath); }

bool PreviewWindow::PumpEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    if (event.type == SDL_QUIT) impl_->closed = true;
  }
  return !impl_->closed;
}

}  // namespace platform
